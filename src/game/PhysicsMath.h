#pragma once

#include <cmath>
#include <limits>

#include "world/MapGrid.h"

namespace moriva {

constexpr int kLastBlockIndex = kWorldBlocks - 1;

// The hero's positions and speeds live in single precision, but every expression on them
// is worked out in double and rounded once when stored. Writing the store through this
// keeps a float-only expression from slipping in.
constexpr float StoreSingle(double v) { return static_cast<float>(v); }

// [v]: v rounded to the nearest whole number, a half going to the even neighbour. Values
// beyond the int range (never met in play) are pinned to it instead of overflowing.
inline int RoundHalfEven(double v) {
  constexpr double kLow = std::numeric_limits<int>::min();
  constexpr double kHigh = std::numeric_limits<int>::max();
  if (std::isnan(v)) return 0;
  const double r = std::nearbyint(v);  // the default rounding mode is to nearest, ties even
  if (r <= kLow) return std::numeric_limits<int>::min();
  if (r >= kHigh) return std::numeric_limits<int>::max();
  return static_cast<int>(r);
}

// [v] \ 32: the tile a pixel coordinate lies in; the division drops the remainder towards
// zero, as integer division does.
inline int TileOf(double v) { return RoundHalfEven(v) / kTileSize; }

// A tile index of the block's working copy (0..50). The movement step keeps every sample
// point inside, but a foot rule that lifts the hero (switch, glass) can hand the second
// foot a point above the block; reading or writing there must not leave the table.
constexpr int ClampTileIndex(int i) { return i < 0 ? 0 : (i > kBlockTiles ? kBlockTiles : i); }

// A block index for the per-block tables (0..4).
constexpr int ClampBlockIndex(int i) { return i < 0 ? 0 : (i > kLastBlockIndex ? kLastBlockIndex : i); }

}  // namespace moriva
