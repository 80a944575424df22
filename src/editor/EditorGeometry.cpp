#include "editor/EditorGeometry.h"

#include <algorithm>
#include <cmath>

namespace moriva {

namespace {

// The whole-number index of `v` in cells of `cell` px, when it lies in 0 .. cells - 1.
// Positions left of or above the surface are refused before dividing, so that -5 does not
// truncate into cell 0.
std::optional<int> CellIndex(double v, int cell, int cells) {
  if (!std::isfinite(v)) return std::nullopt;
  const int whole = RoundHalfEven(v);
  if (whole < 0 || whole >= cell * cells) return std::nullopt;
  return whole / cell;
}

std::optional<Cell> CellAt(double x, double y, int cell, int columns, int rows) {
  const auto cx = CellIndex(x, cell, columns);
  const auto cy = CellIndex(y, cell, rows);
  if (!cx || !cy) return std::nullopt;
  return Cell{*cx, *cy};
}

}  // namespace

int RoundHalfEven(double v) {
  constexpr double kLimit = 1 << 30;
  return static_cast<int>(std::nearbyint(std::clamp(v, -kLimit, kLimit)));
}

int ClampView(int offset) { return std::clamp(offset, kViewMin, kViewMax); }

ViewOffsets ArrowJump(int k, ViewOffsets from) {
  ViewOffsets to = from;
  switch (k) {
    case kArrowUp: to.top = kViewMax; break;
    case kArrowRight: to.left = kArrowFar; break;
    case kArrowDown: to.top = kArrowFar; break;
    case kArrowLeft: to.left = kViewMax; break;
    default: break;
  }
  return {ClampView(to.left), ClampView(to.top)};
}

ViewOffsets CentreOn(double x, double y) {
  constexpr int kHalf = kEditFrameSize / 2;
  return {ClampView(RoundHalfEven(kHalf - x)), ClampView(RoundHalfEven(kHalf - y))};
}

std::string ViewText(ViewOffsets view) {
  return "(X,Y)=(" + std::to_string(view.left) + "," + std::to_string(view.top) + ")";
}

std::optional<Cell> BlockCellAt(double x, double y) {
  return CellAt(x, y, kTileSize, kBlockTiles, kBlockTiles);
}

std::optional<Cell> OverviewBlockAt(double x, double y) {
  return CellAt(x, y, kOverviewCell, kWorldBlocks, kWorldBlocks);
}

std::optional<Cell> SheetTileAt(double x, double y) {
  return CellAt(x, y, kTileSize, kSheetColumns, kSheetRows);
}

}  // namespace moriva
