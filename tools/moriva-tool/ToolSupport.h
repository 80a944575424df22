#pragma once

#include <cstdint>
#include <string>

#include "CommandGroup.h"
#include "platform/Surface.h"
#include "world/MapGrid.h"

namespace moriva::tool {

// The argument at `index`, or a ToolError naming what is missing.
const std::string& Argument(const Arguments& args, std::size_t index, const char* what);
void ExpectArgumentCount(const Arguments& args, std::size_t count, const char* usage);

// Runs a group that has one command (`save show`, `assets export`): `run` when the first word
// names it, else a ToolError naming the group and its command.
int RunOnlyCommand(const Arguments& args, std::ostream& out, const std::string& group, const std::string& command,
                   int (*run)(const Arguments& args, std::ostream& out));

// A whole decimal number in [low, high], or a ToolError naming `what`.
int ParseInt(const std::string& text, int low, int high, const char* what);

// The size of the regular file at `path`, or a ToolError when there is none.
std::int64_t ExistingFileSize(const std::string& path);

// Reads a map strictly: the file must exist and hold at least a whole world. Unlike the
// game, the tool never creates or pads a file: it reports on files as they are.
MapGrid ReadMapStrict(const std::string& path, std::int64_t* size = nullptr);

// The tile sheet embedded in the build.
Surface EmbeddedTileSheet();

void WriteBmp(const Surface& surface, const std::string& path);

// A JSON number for a float as stored: the shortest text that reads back to the same
// value; null for values JSON cannot hold (not a number, infinities).
std::string JsonFloat(float value);

}  // namespace moriva::tool
