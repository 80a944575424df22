// Checks on the world that ships in data/world: the boxes and the block borders. That it can
// be finished, from the start to the goal, is shown by the playthrough (PlaythroughTest.cpp).
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "WorldSource.h"

namespace moriva::worldgen {
namespace {

using Cell = std::pair<int, int>;

constexpr int kFirstSolid = 96;

bool IsOpen(int c) { return c < kFirstSolid; }
// A door is a way through for the hero who has come with its key.
bool IsPassable(int c) { return IsOpen(c) || (c >= 148 && c <= 151); }

// A world that does not compile fails the playthrough test.
SourceErrors compileErrors;
const WorldTiles kWorld = CompileWorld(MORIVA_WORLD_SOURCE_DIR, compileErrors);

TEST(ShippedWorld, EveryBlockWithContentsHasABoxUnderOpenAirOnItsOwnBackdrop) {
  // What a box holds depends only on its block: items 0..9, memos 101..106.
  const std::map<Cell, int> contents = {
      {{2, 2}, 0}, {{0, 4}, 1}, {{4, 3}, 2}, {{4, 0}, 3}, {{1, 4}, 4}, {{3, 2}, 5},
      {{1, 2}, 6}, {{0, 0}, 7}, {{2, 1}, 8}, {{4, 4}, 9}, {{3, 3}, 101}, {{2, 4}, 102},
      {{0, 2}, 103}, {{1, 3}, 104}, {{4, 2}, 105}, {{4, 1}, 106}};
  // Each box picture stands on one backdrop (black, castle bricks, night sky): a plain
  // backdrop beside or above a box is the same, so no square of another shows around it.
  const std::set<int> plainBackdrops = {0, 1, 6, 8, 9, 30};
  const std::map<int, int> backdrops = {{55, 6}, {82, 105}, {83, 0}};
  const WorldTiles& w = kWorld;
  std::map<Cell, int> boxes;
  for (int x = 1; x < kWorldTiles - 1; ++x)
    for (int y = 1; y < kWorldTiles; ++y) {
      const auto backdrop = backdrops.find(w(x, y));
      if (backdrop == backdrops.end()) continue;
      ++boxes[{x / kBlockTiles, y / kBlockTiles}];
      // An opened box takes the tile above it; a solid one there would wall the way on.
      EXPECT_TRUE(IsOpen(w(x, y - 1))) << "box at (" << x << ", " << y << ")";
      for (const int code : {w(x - 1, y), w(x + 1, y), w(x, y - 1)})
        EXPECT_TRUE(!plainBackdrops.count(code) || code == backdrop->second)
            << "box " << backdrop->first << " at (" << x << ", " << y << ") beside " << code;
    }
  for (const auto& [block, content] : contents)
    EXPECT_GE(boxes[block], 1) << "block (" << block.first << ", " << block.second << ") holds " << content;
}

// The hero moves, then crosses a border once his corner is past 32 px from it, and only then
// meets walls: the edge cell never stops him, the cell next to it does. A crossing puts him
// 8 px into the next block, where his top corners (sideways) or his head (up and down) must
// be in open air; rock under his feet only holds him. Offsets count from the first cell of
// the block beyond the border.
TEST(ShippedWorld, EveryBlockCrossingLandsInOpenAirAndTheOuterEdgesAreClosed) {
  const std::tuple<const char*, bool, int, std::vector<int>> crossings[] = {  // name, vertical, from, lands in
      {"east", false, -2, {1, 2}}, {"west", false, 1, {-2, -3}}, {"down", true, -2, {1}}, {"up", true, 1, {-3}}};
  const WorldTiles& w = kWorld;
  for (int i = 0; i < kWorldTiles; ++i) {
    for (int b = 1; b < kWorldBlocks; ++b) {
      const int e = b * kBlockTiles;
      // The two edge cells are one wall or one opening, as each block's picture shows it.
      EXPECT_EQ(IsOpen(w(e - 1, i)), IsOpen(w(e, i))) << "x " << e << ", y " << i;
      EXPECT_EQ(IsOpen(w(i, e - 1)), IsOpen(w(i, e))) << "x " << i << ", y " << e;
      for (const auto& [name, vertical, from, lands] : crossings) {
        const auto at = [&](int k) { return vertical ? w(i, e + k) : w(e + k, i); };
        const auto rock = [&](int k) { return !IsPassable(at(k)); };
        if (!IsOpen(at(from)) || std::none_of(lands.begin(), lands.end(), rock)) continue;
        const int x = vertical ? i : e + from;
        const int y = vertical ? e + from : i;
        ADD_FAILURE() << name << " from block (" << x / kBlockTiles << ", " << y / kBlockTiles << ") cell ("
                      << x % kBlockTiles << ", " << y % kBlockTiles << ") lands in rock";
      }
    }
    // Falling out of the bottom is a miss, so the bottom holds him; the sides are walls.
    EXPECT_FALSE(IsOpen(w(i, kWorldTiles - 1)) || IsOpen(w(0, i)) || IsOpen(w(kWorldTiles - 1, i)))
        << "bottom at x " << i << " or a side at y " << i;
  }
}

}  // namespace
}  // namespace moriva::worldgen
