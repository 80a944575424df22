// moriva-tool map info | render-block | render-world

#include <array>

#include "ToolSupport.h"
#include "world/DrawBlock.h"
#include "world/MapFile.h"

namespace moriva::tool {

namespace {

constexpr int kWorldPictureBlock = 200;  // each block reduced to 200 x 200 px
constexpr int kWorldPicture = kWorldPictureBlock * kWorldBlocks;

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

int RenderWorld(const Arguments& args, std::ostream& out) {
  ExpectArgumentCount(args, 3, kRenderWorldUsage);
  const MapGrid map = ReadMapStrict(args[1]);
  const Surface sheet = EmbeddedTileSheet();
  Surface block(kBlockPixels, kBlockPixels);
  Surface world(kWorldPicture, kWorldPicture);
  for (int bx = 0; bx < kWorldBlocks; ++bx)
    for (int by = 0; by < kWorldBlocks; ++by) {
      DrawBlock(map, sheet, bx, by, block);
      StretchBlt(world, bx * kWorldPictureBlock, by * kWorldPictureBlock, kWorldPictureBlock,
                 kWorldPictureBlock, block, 0, 0, kBlockPixels, kBlockPixels);
    }
  WriteBmp(world, args[2]);
  out << args[2] << ": world, " << kWorldPicture << " x " << kWorldPicture << "\n";
  return kSuccess;
}

int RunMap(const Arguments& args, std::ostream& out) {
  const std::string& command = Argument(args, 0, "map command (info, render-block, render-world)");
  if (command == "info") return Info(args, out);
  if (command == "render-block") return RenderBlock(args, out);
  if (command == "render-world") return RenderWorld(args, out);
  throw ToolError("unknown map command '" + command + "' (info, render-block, render-world)");
}

const bool kRegistered = RegisterCommandGroup(
    {"map", std::string(kInfoUsage) + "\n" + kRenderBlockUsage + "\n" + kRenderWorldUsage, &RunMap});

}  // namespace

}  // namespace moriva::tool
