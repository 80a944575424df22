// moriva-tool map info | render-block | render-world | fill | replace | edge

#include <array>

#include "MapEditCommands.h"
#include "ToolSupport.h"
#include "editor/MapExport.h"
#include "world/DrawBlock.h"
#include "world/MapFile.h"

namespace moriva::tool {

namespace {

constexpr const char* kInfoUsage = "map info FILE";
constexpr const char* kRenderBlockUsage = "map render-block FILE BX BY OUT.bmp";
constexpr const char* kRenderWorldUsage = "map render-world FILE OUT.bmp";

int Info(const Arguments& args, std::ostream& out) {
  ExpectArgumentCount(args, 2, kInfoUsage);
  std::int64_t size = 0;
  const MapGrid map = ReadMapStrict(args[1], &size);
  std::array<long, 256> counts{};
  for (int x = 0; x < kWorldTiles; ++x)
    for (int y = 0; y < kWorldTiles; ++y) ++counts[map(x, y)];
  out << "{\"size\": " << size << ", \"cells\": " << kMapFileBytes << ", \"codes\": {";
  const char* separator = "";
  for (int code = 0; code < 256; ++code) {
    if (counts[code] == 0) continue;
    out << separator << '"' << code << "\": " << counts[code];
    separator = ", ";
  }
  out << "}}\n";
  return kSuccess;
}

int RenderBlock(const Arguments& args, std::ostream& out) {
  ExpectArgumentCount(args, 5, kRenderBlockUsage);
  const MapGrid map = ReadMapStrict(args[1]);
  const int bx = ParseInt(args[2], 0, kWorldBlocks - 1, "BX");
  const int by = ParseInt(args[3], 0, kWorldBlocks - 1, "BY");
  Surface block(kBlockPixels, kBlockPixels);
  DrawBlock(map, EmbeddedTileSheet(), bx, by, block);
  WriteBmp(block, args[4]);
  out << args[4] << ": block (" << bx << ", " << by << "), " << kBlockPixels << " x "
      << kBlockPixels << "\n";
  return kSuccess;
}

int RenderWorldPicture(const Arguments& args, std::ostream& out) {
  ExpectArgumentCount(args, 3, kRenderWorldUsage);
  const MapGrid map = ReadMapStrict(args[1]);
  // The editor's "AllMap" on the same code, so the pictures are the same pixels.
  Surface block(kBlockPixels, kBlockPixels);
  Surface world;
  RenderWorld(map, EmbeddedTileSheet(), block, world);
  WriteBmp(world, args[2]);
  out << args[2] << ": world, " << kWorldPictureSize << " x " << kWorldPictureSize << "\n";
  return kSuccess;
}

int RunMap(const Arguments& args, std::ostream& out) {
  constexpr const char* kCommands = "(info, render-block, render-world, fill, replace, edge)";
  const std::string& command = Argument(args, 0, (std::string("map command ") + kCommands).c_str());
  if (command == "info") return Info(args, out);
  if (command == "render-block") return RenderBlock(args, out);
  if (command == "render-world") return RenderWorldPicture(args, out);
  if (command == "fill") return MapFill(args, out);
  if (command == "replace") return MapReplace(args, out);
  if (command == "edge") return MapEdge(args, out);
  throw ToolError("unknown map command '" + command + "' " + kCommands);
}

const bool kRegistered = RegisterCommandGroup(
    {"map", std::string(kInfoUsage) + "\n" + kRenderBlockUsage + "\n" + kRenderWorldUsage + "\n" +
                kFillUsage + "\n" + kReplaceUsage + "\n" + kEdgeUsage,
     &RunMap});

}  // namespace

}  // namespace moriva::tool
