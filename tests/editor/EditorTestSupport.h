#pragma once

#include "platform/Surface.h"
#include "world/DrawBlock.h"
#include "world/MapGrid.h"

namespace moriva::test {

// The block surface that DrawBlock gives for the grid: what the editor must show after
// every edit, undo and redo.
inline Surface DrawnBlock(const MapGrid& map, const Surface& sheet, int bx, int by) {
  Surface s(kBlockPixels, kBlockPixels);
  DrawBlock(map, sheet, bx, by, s);
  return s;
}

// True when the 32 x 32 px at (x, y) of `s` equal the sheet tile of `code`.
inline bool ShowsTile(const Surface& s, int x, int y, const Surface& sheet, int code) {
  for (int j = 0; j < kTileSize; ++j)
    for (int i = 0; i < kTileSize; ++i)
      if (s.pixel(x + i, y + j) != sheet.pixel(TileSourceX(code) + i, TileSourceY(code) + j))
        return false;
  return true;
}

// How many cells of the whole grid (spare row and column included) differ.
inline int CellsChanged(const MapGrid& a, const MapGrid& b) {
  int n = 0;
  for (int x = 0; x < kGridSize; ++x)
    for (int y = 0; y < kGridSize; ++y) n += a(x, y) != b(x, y);
  return n;
}

}  // namespace moriva::test
