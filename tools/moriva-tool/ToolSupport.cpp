#include "ToolSupport.h"

#include <charconv>
#include <cmath>

#include "platform/FileStore.h"
#include "platform/Pictures.h"
#include "world/MapFile.h"

namespace moriva::tool {

const std::string& Argument(const Arguments& args, std::size_t index, const char* what) {
  if (index >= args.size()) throw ToolError(std::string("missing ") + what);
  return args[index];
}

void ExpectArgumentCount(const Arguments& args, std::size_t count, const char* usage) {
  if (args.size() != count) throw ToolError(std::string("usage: moriva-tool ") + usage);
}

int RunOnlyCommand(const Arguments& args, std::ostream& out, const std::string& group, const std::string& command,
                   int (*run)(const Arguments& args, std::ostream& out)) {
  const std::string known = " (" + command + ")";
  const std::string& word = Argument(args, 0, (group + " command" + known).c_str());
  if (word == command) return run(args, out);
  throw ToolError("unknown " + group + " command '" + word + "'" + known);
}

int ParseInt(const std::string& text, int low, int high, const char* what) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || value < low || value > high)
    throw ToolError(std::string(what) + " must be a whole number from " + std::to_string(low) +
                    " to " + std::to_string(high) + ", not '" + text + "'");
  return value;
}

std::int64_t ExistingFileSize(const std::string& path) {
  std::int64_t size = 0;
  switch (ProbeFile(path, &size)) {
    case FileKind::Missing: throw ToolError(path + ": no such file");
    case FileKind::Other: throw ToolError(path + ": not a file");
    case FileKind::File: break;
  }
  return size;
}

MapGrid ReadMapStrict(const std::string& path, std::int64_t* size) {
  const std::int64_t bytes = ExistingFileSize(path);
  if (bytes == 0) throw ToolError(path + ": empty file, not a map");
  if (bytes < kMapFileBytes)
    throw ToolError(path + ": not a whole map (" + std::to_string(bytes) + " bytes, a map holds " +
                    std::to_string(kMapFileBytes) + ")");
  Bytes data;
  if (IoResult r = ReadFileBytes(path, data, kMapFileBytes); !r) throw ToolError(r.message);
  if (data.size() != static_cast<std::size_t>(kMapFileBytes))
    throw ToolError(path + ": cannot read the whole map");
  MapGrid map;
  DecodeMap(data, map);
  if (size) *size = bytes;
  return map;
}

Surface EmbeddedTileSheet() {
  Surface sheet = LoadPicture("tiles");
  if (sheet.empty()) throw ToolError("this build holds no tile sheet");
  return sheet;
}

void WriteBmp(const Surface& surface, const std::string& path) {
  if (!surface.SaveBmp(path)) throw ToolError(path + ": cannot write the picture");
}

std::string JsonFloat(float value) {
  if (!std::isfinite(value)) return "null";
  char text[32];
  const auto [end, ec] = std::to_chars(text, text + sizeof text, value);
  return ec == std::errc() ? std::string(text, end) : "null";
}

}  // namespace moriva::tool
