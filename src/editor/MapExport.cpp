#include "editor/MapExport.h"

#include "world/DrawBlock.h"

namespace moriva {

std::string OneMapFileName(int bx, int by) {
  return "map" + std::to_string(bx) + std::to_string(by) + ".bmp";
}

void RenderWorld(const MapGrid& map, const Surface& tileSheet, Surface& block, Surface& world,
                 const std::function<void()>& afterEachBlock) {
  if (world.width() != kWorldPictureSize || world.height() != kWorldPictureSize)
    world = Surface(kWorldPictureSize, kWorldPictureSize);
  for (int bx = 0; bx < kWorldBlocks; ++bx)
    for (int by = 0; by < kWorldBlocks; ++by) {
      block.fill(0);
      DrawBlock(map, tileSheet, bx, by, block);
      if (afterEachBlock) afterEachBlock();
      StretchBlt(world, bx * kWorldPictureBlock, by * kWorldPictureBlock, kWorldPictureBlock,
                 kWorldPictureBlock, block, 0, 0, kBlockPixels, kBlockPixels);
    }
}

}  // namespace moriva
