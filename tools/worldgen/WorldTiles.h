#pragma once

#include <cstdint>
#include <vector>

namespace moriva::worldgen {

inline constexpr int kWorldTiles = 250;
inline constexpr int kBlockTiles = 50;
inline constexpr int kWorldBlocks = kWorldTiles / kBlockTiles;
inline constexpr int kMapFileBytes = kWorldTiles * kWorldTiles;

// The 250 x 250 tile codes of a world, kept in the map file's byte order: column by
// column, cell (x, y) at x * 250 + y.
class WorldTiles {
 public:
  WorldTiles() : bytes_(kMapFileBytes, 0) {}

  std::uint8_t& operator()(int x, int y) { return bytes_[Offset(x, y)]; }
  std::uint8_t operator()(int x, int y) const { return bytes_[Offset(x, y)]; }
  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
  std::vector<std::uint8_t>& Bytes() { return bytes_; }

  static std::size_t Offset(int x, int y) {
    return static_cast<std::size_t>(x) * kWorldTiles + static_cast<std::size_t>(y);
  }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace moriva::worldgen
