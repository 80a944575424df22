#include "editor/BulkEdits.h"

#include <array>

namespace moriva {

namespace {

// Corner codes: on ground, where rock meets it at up-left, up-right, down-right, down-left.
constexpr std::uint8_t kGroundUpLeft = 11;
constexpr std::uint8_t kGroundUpRight = 10;
constexpr std::uint8_t kGroundDownRight = 2;
constexpr std::uint8_t kGroundDownLeft = 3;
// On rock, where ground meets it.
constexpr std::uint8_t kRockUpLeft = 89;
constexpr std::uint8_t kRockUpRight = 88;
constexpr std::uint8_t kRockDownRight = 80;
constexpr std::uint8_t kRockDownLeft = 81;
// A rock cell with this many ground corners is no corner at all.
constexpr int kCornersThatCancel = 2;

constexpr int kSnapshotSize = kBlockTiles + 1;

}  // namespace

void FillBlock(MapGrid& map, int bx, int by, std::uint8_t code) {
  for (int i = 0; i < kBlockTiles; ++i)
    for (int j = 0; j < kBlockTiles; ++j) map(bx * kBlockTiles + i, by * kBlockTiles + j) = code;
}

long ReplaceCode(MapGrid& map, std::uint8_t from, std::uint8_t to) {
  long changed = 0;
  for (int x = 0; x < kWorldTiles; ++x)
    for (int y = 0; y < kWorldTiles; ++y)
      if (map(x, y) == from) {
        map(x, y) = to;
        if (from != to) ++changed;
      }
  return changed;
}

std::uint8_t EdgeCode(std::uint8_t centre, std::uint8_t up, std::uint8_t down, std::uint8_t left,
                      std::uint8_t right) {
  // Every test that holds writes its code, so the last one decides.
  std::uint8_t code = centre;
  if (centre == kEdgeGround) {
    if (up == kEdgeRock && left == kEdgeRock) code = kGroundUpLeft;
    if (up == kEdgeRock && right == kEdgeRock) code = kGroundUpRight;
    if (down == kEdgeRock && right == kEdgeRock) code = kGroundDownRight;
    if (down == kEdgeRock && left == kEdgeRock) code = kGroundDownLeft;
  } else if (centre == kEdgeRock) {
    int corners = 0;
    if (up == kEdgeGround && left == kEdgeGround) { code = kRockUpLeft; ++corners; }
    if (up == kEdgeGround && right == kEdgeGround) { code = kRockUpRight; ++corners; }
    if (down == kEdgeGround && right == kEdgeGround) { code = kRockDownRight; ++corners; }
    if (down == kEdgeGround && left == kEdgeGround) { code = kRockDownLeft; ++corners; }
    if (corners >= kCornersThatCancel) code = kEdgeRock;
  }
  return code;
}

long EdgeBlock(MapGrid& map, int bx, int by) {
  std::array<std::array<std::uint8_t, kSnapshotSize>, kSnapshotSize> s{};
  const int x0 = bx * kBlockTiles;
  const int y0 = by * kBlockTiles;
  for (int i = 0; i < kSnapshotSize; ++i)
    for (int j = 0; j < kSnapshotSize; ++j) s[i][j] = map.at(x0 + i, y0 + j);

  long changed = 0;
  for (int i = 1; i < kBlockTiles; ++i)
    for (int j = 1; j < kBlockTiles; ++j) {
      const std::uint8_t code = EdgeCode(s[i][j], s[i][j - 1], s[i][j + 1], s[i - 1][j], s[i + 1][j]);
      if (code != s[i][j]) {
        map(x0 + i, y0 + j) = code;
        ++changed;
      }
    }
  return changed;
}

}  // namespace moriva
