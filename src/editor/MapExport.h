#pragma once

#include <functional>
#include <string>

#include "platform/Surface.h"
#include "world/MapGrid.h"

namespace moriva {

constexpr int kWorldPictureReduction = 8;                                   // one eighth of full size
constexpr int kWorldPictureBlock = kBlockPixels / kWorldPictureReduction;  // 200 px a block
constexpr int kWorldPictureSize = kWorldPictureBlock * kWorldBlocks;       // 1000 px
constexpr const char* kAllMapFileName = "allmap.bmp";

// "map" + bx + by + ".bmp", the indices as plain digits: block (4, 1) gives "map41.bmp".
std::string OneMapFileName(int bx, int by);

// The whole world at one eighth: every block drawn at full size on `block` (cleared first),
// then reduced onto `world` (sized to 1000 x 1000) at (200 bx, 200 by), column by column.
// `afterEachBlock` runs once a block is drawn, so a window can show it.
void RenderWorld(const MapGrid& map, const Surface& tileSheet, Surface& block, Surface& world,
                 const std::function<void()>& afterEachBlock = {});

}  // namespace moriva
