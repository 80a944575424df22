// Checks on the world that ships in data/world: the start point, the goal, the boxes, the
// block borders and the tile classes in play. That it can be finished is shown by the
// playthrough (PlaythroughTest.cpp).
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "WorldSource.h"

namespace moriva::worldgen {
namespace {

using Cell = std::pair<int, int>;

constexpr int kGoal = 142;
constexpr int kGreyStone = 98;
constexpr int kFirstSolid = 96;

bool IsOpen(int c) { return c < kFirstSolid; }
// A door is a way through for the hero who has come with its key.
bool IsPassable(int c) { return IsOpen(c) || (c >= 148 && c <= 151); }

const WorldTiles& World() {
  static const WorldTiles world = [] {
    SourceErrors errors;
    WorldTiles tiles = CompileWorld(MORIVA_WORLD_SOURCE_DIR, errors);
    if (!errors.empty()) ADD_FAILURE() << errors.front().Text();
    return tiles;
  }();
  return world;
}

TEST(ShippedWorld, TheHeroStartsOnGroundAndTheGoalStandsAmongGreyStones) {
  // Block (2, 4), pixel (160, 1498): his 32 x 32 box covers column 5, rows 46 and 47, and
  // both feet (x + 4, x + 27) stand on row 48.
  const auto& w = World();
  const int x = 2 * kBlockTiles + 5;
  const int top = 4 * kBlockTiles + 46;
  EXPECT_TRUE(IsOpen(w(x, top)) && IsOpen(w(x, top + 1)));
  for (int dx : {-1, 0, 1}) EXPECT_FALSE(IsOpen(w(x + dx, top + 2))) << "ground at " << dx;

  const auto& bytes = w.Bytes();
  ASSERT_EQ(std::count(bytes.begin(), bytes.end(), kGoal), 1);
  const auto at = std::find(bytes.begin(), bytes.end(), kGoal) - bytes.begin();
  const int gx = static_cast<int>(at / kWorldTiles);
  const int gy = static_cast<int>(at % kWorldTiles);
  EXPECT_EQ(gy / kBlockTiles, 0) << "the goal belongs to the top row of blocks";
  EXPECT_EQ(w(gx - 1, gy), kGreyStone);
  EXPECT_EQ(w(gx + 1, gy), kGreyStone);
  EXPECT_TRUE(IsOpen(w(gx, gy - 1))) << "the hero must be able to land on it";
}

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
  const auto& w = World();
  for (const auto& [block, content] : contents) {
    int boxes = 0;
    for (int x = block.first * kBlockTiles; x < (block.first + 1) * kBlockTiles; ++x) {
      for (int y = block.second * kBlockTiles + 1; y < (block.second + 1) * kBlockTiles; ++y) {
        const auto backdrop = backdrops.find(w(x, y));
        if (backdrop == backdrops.end()) continue;
        ++boxes;
        // An opened box takes the tile above it; a solid one there would wall the way on.
        EXPECT_TRUE(IsOpen(w(x, y - 1))) << "box at (" << x << ", " << y << ")";
        for (const Cell& n : {Cell{x - 1, y}, Cell{x + 1, y}, Cell{x, y - 1}}) {
          const int code = w(n.first, n.second);
          EXPECT_TRUE(!plainBackdrops.count(code) || code == backdrop->second)
              << "box " << backdrop->first << " at (" << x << ", " << y << ") beside " << code;
        }
      }
    }
    EXPECT_GE(boxes, 1) << "block (" << block.first << ", " << block.second << ") holds "
                        << content;
  }
}

// The hero moves, then crosses a border once his corner is past 32 px from it, and only then
// meets walls: the edge cell never stops him, the cell next to it does. A crossing puts him
// 8 px into the next block, where his top corners (sideways) or his head (up and down) must
// be in open air; rock under his feet only holds him. Offsets count from the first cell of
// the block beyond the border.
struct Crossing {
  const char* name;
  bool vertical;
  int from;
  std::vector<int> lands;
};

TEST(ShippedWorld, EveryBlockCrossingLandsInOpenAirAndTheOuterEdgesAreClosed) {
  const std::vector<Crossing> crossings = {
      {"east", false, -2, {1, 2}}, {"west", false, 1, {-2, -3}},
      {"down", true, -2, {1}}, {"up", true, 1, {-3}}};
  const auto& w = World();
  for (int i = 0; i < kWorldTiles; ++i) {
    for (int b = 1; b < kWorldBlocks; ++b) {
      const int e = b * kBlockTiles;
      // The two edge cells are one wall or one opening, as each block's picture shows it.
      EXPECT_EQ(IsOpen(w(e - 1, i)), IsOpen(w(e, i))) << "x " << e << ", y " << i;
      EXPECT_EQ(IsOpen(w(i, e - 1)), IsOpen(w(i, e))) << "x " << i << ", y " << e;
      for (const Crossing& c : crossings) {
        const auto at = [&](int k) { return c.vertical ? w(i, e + k) : w(e + k, i); };
        const auto rock = [&](int k) { return !IsPassable(at(k)); };
        if (!IsOpen(at(c.from)) || std::none_of(c.lands.begin(), c.lands.end(), rock)) continue;
        const int x = c.vertical ? i : e + c.from;
        const int y = c.vertical ? e + c.from : i;
        ADD_FAILURE() << c.name << " from block (" << x / kBlockTiles << ", " << y / kBlockTiles
                      << ") cell (" << x % kBlockTiles << ", " << y % kBlockTiles
                      << ") lands in rock";
      }
    }
    // Falling out of the bottom is a miss, so the bottom holds him; the sides are walls.
    EXPECT_FALSE(IsOpen(w(i, kWorldTiles - 1))) << "bottom, x " << i;
    EXPECT_FALSE(IsOpen(w(0, i))) << "left, y " << i;
    EXPECT_FALSE(IsOpen(w(kWorldTiles - 1, i))) << "right, y " << i;
  }
}

TEST(ShippedWorld, EveryClassOfTheTileCatalogueIsPlaced) {
  const std::map<std::string, std::vector<int>> classes = {
      {"Water", {5, 48, 49, 56, 57, 86, 87, 90, 91, 92, 93, 94, 95}}, {"Fire", {32}},
      {"RedPool", {33}}, {"Spikes", {34, 35, 36, 37}}, {"Spring", {38, 39, 68, 69, 70, 71}},
      {"Ladder", {40, 41, 43}}, {"PoleOrFence", {42, 65, 66, 67}},
      {"LauncherLeft", {44, 45, 72, 73, 76, 77}}, {"LauncherRight", {46, 47, 74, 75, 78, 79}},
      {"FloatArea", {50, 51, 58, 59, 60}}, {"Hook", {52, 53}}, {"FlameJet", {54}},
      {"HiddenRock", {61}}, {"HiddenIce", {62}}, {"Goal", {142}}, {"Switch", {143}},
      {"CrumblingFloor", {144, 145, 146, 147}}, {"BlueDoor", {148}}, {"GreenDoor", {149}},
      {"RedDoor", {150}}, {"YellowDoor", {151}}, {"Glass", {152}}, {"Conveyor", {154, 155}},
      {"Ice", {156, 157}}, {"FastConveyor", {158, 159}}, {"CrumblingBricks", {160, 161, 162, 163}}};
  std::map<int, int> cells;
  for (std::uint8_t code : World().Bytes()) ++cells[code];
  for (const auto& [name, codes] : classes) {
    int count = 0;
    for (int c : codes) count += cells[c];
    EXPECT_GT(count, 0) << name;
  }
}

}  // namespace
}  // namespace moriva::worldgen
