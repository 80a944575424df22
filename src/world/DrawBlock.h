#pragma once

#include "platform/Surface.h"
#include "world/MapGrid.h"

namespace moriva {

// Renders block (bx, by) of the map onto the top-left 1600 x 1600 px of `out`: 2,500
// copy transfers of 32 x 32 px from the tile sheet, then one Refresh, so nothing is ever
// shown half drawn. Codes 192..255 have no picture in the sheet and draw black. A block
// index outside 0..4 draws the whole block black.
void DrawBlock(const MapGrid& map, const Surface& tileSheet, int bx, int by, Surface& out);

// The top-left corner of code c's tile in the sheet.
constexpr int TileSourceX(int code) { return (code & 7) * kTileSize; }
constexpr int TileSourceY(int code) { return (code / kSheetColumns) * kTileSize; }

}  // namespace moriva
