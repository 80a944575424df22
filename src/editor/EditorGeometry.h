#pragma once

#include <optional>
#include <string>

#include "world/MapGrid.h"

namespace moriva {

// The editor's fixed sizes, in pixels.
constexpr int kEditFrameSize = 320;                                 // picFrame, the viewport
constexpr int kViewMin = kEditFrameSize - kBlockPixels;             // -1280: right or bottom edge
constexpr int kViewMax = 0;                                         // left or top edge
constexpr int kViewLaidOutLeft = 20;                                // where picEdit lies until moved
constexpr int kViewLaidOutTop = 8;
constexpr int kArrowFar = -32767;                                   // an arrow's target before clamping
constexpr int kOverviewCell = kBlockTiles / kWorldBlocks;           // 10 px a block in picMap
constexpr int kOverviewSize = kOverviewCell * kWorldBlocks + 1;     // 51
constexpr int kMarkerInset = 1;                                     // the marker box: +1 .. +9
constexpr int kMarkerSpan = 8;

// Arrow button indices.
enum ArrowButton { kArrowUp = 0, kArrowRight = 1, kArrowDown = 2, kArrowLeft = 3 };

// Mouse button values: left 1, right 2, middle 4, as a bit set while moving.
constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;

struct ViewOffsets {
  int left = kViewLaidOutLeft;
  int top = kViewLaidOutTop;
  bool operator==(const ViewOffsets&) const = default;
};

struct Cell {
  int x = 0;
  int y = 0;
  bool operator==(const Cell&) const = default;
};

// A position rounded to a whole number, a half to the even neighbour.
int RoundHalfEven(double v);

// Every move of the block surface keeps it inside the frame.
int ClampView(int offset);

// Arrow k jumps the view to that edge of the block; the other offset is only clamped.
ViewOffsets ArrowJump(int k, ViewOffsets from);

// A right press at (x, y) on the block surface centres the view there.
ViewOffsets CentreOn(double x, double y);

// "(X,Y)=(-1280,0)".
std::string ViewText(ViewOffsets view);

// The cell of the block under a block-surface position, or none outside the block.
std::optional<Cell> BlockCellAt(double x, double y);

// The block under an overview position, or none outside the 5 x 5 blocks.
std::optional<Cell> OverviewBlockAt(double x, double y);

// The sheet tile (column, row) under a palette position, or none outside the sheet.
std::optional<Cell> SheetTileAt(double x, double y);

}  // namespace moriva
