#include "MapEditCommands.h"

#include "ToolSupport.h"
#include "editor/BulkEdits.h"
#include "editor/ReplaceField.h"
#include "platform/FileStore.h"
#include "world/MapFile.h"

namespace moriva::tool {

namespace {

constexpr int kHighestCode = 255;

// The edited world, followed by whatever IN holds beyond it, replacing OUT in one step.
void WriteEditedMap(const std::string& in, const std::string& outPath, const MapGrid& map) {
  Bytes tail;
  if (IoResult r = ReadFileTail(in, kMapFileBytes, tail); !r) throw ToolError(r.message);
  Bytes bytes(kMapFileBytes, 0);
  for (int x = 0; x < kWorldTiles; ++x)
    for (int y = 0; y < kWorldTiles; ++y) bytes[static_cast<std::size_t>(x * kWorldTiles + y)] = map(x, y);
  bytes.insert(bytes.end(), tail.begin(), tail.end());
  if (IoResult r = WriteFileAtomically(outPath, bytes); !r) throw ToolError(r.message);
}

std::uint8_t ReadField(const std::string& text, const char* what) {
  const ReplaceFieldReading reading = ReadReplaceField(text);
  if (!reading.ok) throw ToolError(std::string(what) + " " + reading.why);
  return reading.code;
}

}  // namespace

int MapFill(const Arguments& args, std::ostream& out) {
  ExpectArgumentCount(args, 6, kFillUsage);
  MapGrid map = ReadMapStrict(args[1]);
  const int bx = ParseInt(args[3], 0, kWorldBlocks - 1, "BX");
  const int by = ParseInt(args[4], 0, kWorldBlocks - 1, "BY");
  const int code = ParseInt(args[5], 0, kHighestCode, "CODE");
  FillBlock(map, bx, by, static_cast<std::uint8_t>(code));
  WriteEditedMap(args[1], args[2], map);
  out << args[2] << ": block (" << bx << ", " << by << ") filled with " << code << "\n";
  return kSuccess;
}

int MapReplace(const Arguments& args, std::ostream& out) {
  ExpectArgumentCount(args, 5, kReplaceUsage);
  MapGrid map = ReadMapStrict(args[1]);
  // Both are read before any cell changes, exactly as the editor's two fields are.
  const std::uint8_t from = ReadField(args[3], "FROM");
  const std::uint8_t to = ReadField(args[4], "TO");
  const long changed = ReplaceCode(map, from, to);
  WriteEditedMap(args[1], args[2], map);
  out << args[2] << ": " << changed << " cells of code " << int{from} << " now " << int{to} << "\n";
  return kSuccess;
}

int MapEdge(const Arguments& args, std::ostream& out) {
  ExpectArgumentCount(args, 5, kEdgeUsage);
  MapGrid map = ReadMapStrict(args[1]);
  const int bx = ParseInt(args[3], 0, kWorldBlocks - 1, "BX");
  const int by = ParseInt(args[4], 0, kWorldBlocks - 1, "BY");
  const long changed = EdgeBlock(map, bx, by);
  WriteEditedMap(args[1], args[2], map);
  out << args[2] << ": block (" << bx << ", " << by << "), " << changed << " corner cells set\n";
  return kSuccess;
}

}  // namespace moriva::tool
