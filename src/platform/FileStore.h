#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/IoResult.h"

namespace moriva {

using Bytes = std::vector<std::uint8_t>;

// What lies at a path.
enum class FileKind { Missing, File, Other };
FileKind ProbeFile(const std::string& path, std::int64_t* size = nullptr);

// Reads the file from its start, at most `maxBytes` bytes when maxBytes >= 0.
IoResult ReadFileBytes(const std::string& path, Bytes& out, std::int64_t maxBytes = -1);

// Reads everything from byte `offset` on (nothing when the file is shorter).
IoResult ReadFileTail(const std::string& path, std::int64_t offset, Bytes& out);

// Creates an empty file where none exists.
IoResult CreateEmptyFile(const std::string& path);

// Replaces the file's content in one step: the bytes go to a temporary file beside it,
// which is renamed over the old one only once everything is written. A failed or
// interrupted write leaves the old file as it was. An existing file that is not writable
// is not replaced. Temporary files of this path that an earlier, killed write left behind
// (older than a minute) are removed first.
IoResult WriteFileAtomically(const std::string& path, const Bytes& bytes);

}  // namespace moriva
