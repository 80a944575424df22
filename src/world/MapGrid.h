#pragma once

#include <array>
#include <cstdint>

namespace moriva {

constexpr int kWorldTiles = 250;   // the world proper: 0..249 in both directions
constexpr int kGridSize = 251;     // plus one spare column and row that stay 0
constexpr int kBlockTiles = 50;    // a block is 50 x 50 tiles
constexpr int kWorldBlocks = 5;    // 5 x 5 blocks
constexpr int kTileSize = 32;      // pixels per tile side
constexpr int kBlockPixels = kBlockTiles * kTileSize;  // 1600
constexpr int kSheetColumns = 8;   // tile sheet: 8 x 24 tiles of 32 x 32 px
constexpr int kSheetRows = 24;
constexpr int kSheetTiles = kSheetColumns * kSheetRows;  // codes 0..191 have a picture
constexpr int kSheetWidth = kSheetColumns * kTileSize;   // 256
constexpr int kSheetHeight = kSheetRows * kTileSize;     // 768

// The world map grid: one tile code per cell, indexed (x, y), both 0..250. Column and row
// 250 are never loaded or saved; they exist so that a read one cell past the world's right
// or bottom edge (block copies, the Edge tool) stays inside the grid and yields 0.
class MapGrid {
 public:
  using Cells = std::array<std::uint8_t, kGridSize * kGridSize>;

  MapGrid() { cells_.fill(0); }

  std::uint8_t& operator()(int x, int y) { return cells_[Index(x, y)]; }
  std::uint8_t operator()(int x, int y) const { return cells_[Index(x, y)]; }

  // The cell, or 0 for a position outside the grid.
  std::uint8_t at(int x, int y) const {
    return Inside(x, y) ? cells_[Index(x, y)] : std::uint8_t{0};
  }
  static bool Inside(int x, int y) { return x >= 0 && y >= 0 && x < kGridSize && y < kGridSize; }

  void clear() { cells_.fill(0); }
  const Cells& cells() const { return cells_; }

  bool operator==(const MapGrid&) const = default;

 private:
  static std::size_t Index(int x, int y) {
    return static_cast<std::size_t>(x) * kGridSize + static_cast<std::size_t>(y);
  }
  Cells cells_;
};

}  // namespace moriva
