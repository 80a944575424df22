#include "world/DrawBlock.h"

namespace moriva {

namespace {
// Transfers from an empty surface read black: the picture of every code the sheet lacks,
// whatever size the sheet in use happens to have.
const Surface kNoPicture;
}  // namespace

void DrawBlock(const MapGrid& map, const Surface& tileSheet, int bx, int by, Surface& out) {
  const bool inside = bx >= 0 && by >= 0 && bx < kWorldBlocks && by < kWorldBlocks;
  for (int i = 0; i < kBlockTiles; ++i) {
    for (int j = 0; j < kBlockTiles; ++j) {
      const int code = inside ? map(bx * kBlockTiles + i, by * kBlockTiles + j) : kSheetTiles;
      const Surface& source = code < kSheetTiles ? tileSheet : kNoPicture;
      BitBlt(out, i * kTileSize, j * kTileSize, kTileSize, kTileSize, source, TileSourceX(code),
             TileSourceY(code), RasterOp::SrcCopy);
    }
  }
  out.Refresh();
}

}  // namespace moriva
