// Checks on the world that ships in data/world: its shape, the start point, the boxes, the
// goal, the block borders and the tile classes in play. That it can be finished is shown by
// the playthrough (PlaythroughTest.cpp).
#include <gtest/gtest.h>

#include <ostream>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "WorldSource.h"

namespace moriva::worldgen {
namespace {

using Cell = std::pair<int, int>;

constexpr int kGoal = 142;
constexpr int kGreyStone = 98;
constexpr int kFirstSolid = 96;

// What a box holds depends only on its block: items 0..9, memos 101..106.
const std::map<Cell, int> kBoxContents = {
    {{2, 2}, 0}, {{0, 4}, 1}, {{4, 3}, 2}, {{4, 0}, 3}, {{1, 4}, 4}, {{3, 2}, 5},
    {{1, 2}, 6}, {{0, 0}, 7}, {{2, 1}, 8}, {{4, 4}, 9}, {{3, 3}, 101}, {{2, 4}, 102},
    {{0, 2}, 103}, {{1, 3}, 104}, {{4, 2}, 105}, {{4, 1}, 106}};

bool IsBox(int c) { return c == 55 || c == 82 || c == 83; }
bool IsOpen(int c) { return c < kFirstSolid; }
// A door is a way through for the hero who has come with its key.
bool IsPassable(int c) { return IsOpen(c) || (c >= 148 && c <= 151); }
// A hero crosses a border once his box covers the last two cells before it, and is put 8 px
// inside the next block, over its second and third cells: those must be open too.
bool LandsInOpenAir(int leaveFar, int leaveNear, int landNear, int landFar) {
  return !(IsOpen(leaveFar) && IsOpen(leaveNear)) || (IsPassable(landNear) && IsPassable(landFar));
}

class ShippedWorld : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    SourceErrors errors;
    world_ = new WorldTiles(CompileWorld(MORIVA_WORLD_SOURCE_DIR, errors));
    errors_ = new SourceErrors(errors);
  }
  static void TearDownTestSuite() {
    delete world_;
    delete errors_;
  }
  static const WorldTiles& World() { return *world_; }

  static WorldTiles* world_;
  static SourceErrors* errors_;
};

WorldTiles* ShippedWorld::world_ = nullptr;
SourceErrors* ShippedWorld::errors_ = nullptr;

TEST_F(ShippedWorld, SourcesCompileToAWholeMapFile) {
  ASSERT_TRUE(errors_->empty()) << errors_->front().Text();
  ASSERT_EQ(World().Bytes().size(), 62500u);
  for (std::uint8_t code : World().Bytes()) ASSERT_LT(code, kTileCodes);
}

TEST_F(ShippedWorld, TheHeroStartsOnSolidGround) {
  // Block (2, 4), pixel (160, 1498): his 32 x 32 box covers column 5, rows 46 and 47.
  const int x = 2 * kBlockTiles + 160 / 32;
  const int top = 4 * kBlockTiles + 1498 / 32;
  EXPECT_TRUE(IsOpen(World()(x, top)));
  EXPECT_TRUE(IsOpen(World()(x, top + 1)));
  for (int foot : {160 + 4, 160 + 27}) {
    EXPECT_GE(World()(2 * kBlockTiles + foot / 32, top + 2), kFirstSolid) << "foot at x " << foot;
  }
  EXPECT_GE(World()(x - 1, top + 2), kFirstSolid);
  EXPECT_GE(World()(x + 1, top + 2), kFirstSolid);
}

TEST_F(ShippedWorld, OneGoalAmongGreyStonesUnderTheNightSky) {
  std::vector<Cell> goals;
  for (int x = 0; x < kWorldTiles; ++x) {
    for (int y = 0; y < kWorldTiles; ++y) {
      if (World()(x, y) == kGoal) goals.push_back({x, y});
    }
  }
  ASSERT_EQ(goals.size(), 1u);
  const auto [x, y] = goals[0];
  EXPECT_EQ(y / kBlockTiles, 0) << "the goal belongs to the top row of blocks";
  EXPECT_EQ(World()(x - 1, y), kGreyStone);
  EXPECT_EQ(World()(x + 1, y), kGreyStone);
  EXPECT_TRUE(IsOpen(World()(x, y - 1))) << "the hero must be able to land on it";
}

TEST_F(ShippedWorld, EveryBlockWithContentsHasABoxUnderOpenAir) {
  // An opened box takes the tile above it; a solid one there would wall the way on.
  for (const auto& [block, content] : kBoxContents) {
    int boxes = 0;
    for (int i = 0; i < kBlockTiles; ++i) {
      for (int j = 1; j < kBlockTiles; ++j) {
        const int x = block.first * kBlockTiles + i;
        const int y = block.second * kBlockTiles + j;
        if (!IsBox(World()(x, y))) continue;
        ++boxes;
        EXPECT_TRUE(IsOpen(World()(x, y - 1))) << "box at (" << x << ", " << y << ")";
      }
    }
    EXPECT_GE(boxes, 1) << "block (" << block.first << ", " << block.second << ") holds "
                        << content;
  }
}

TEST_F(ShippedWorld, BordersLineUpAndTheOuterEdgesAreClosed) {
  const auto& w = World();
  for (int i = 0; i < kWorldTiles; ++i) {
    for (int b = 1; b < kWorldBlocks; ++b) {
      const int edge = b * kBlockTiles;
      // An open edge cell faces an open cell, and a hero crossing lands in open air.
      EXPECT_EQ(IsOpen(w(edge - 1, i)), IsOpen(w(edge, i))) << "x " << edge << ", y " << i;
      EXPECT_TRUE(LandsInOpenAir(w(edge - 2, i), w(edge - 1, i), w(edge + 1, i), w(edge + 2, i)))
          << "eastward crossing at x " << edge << ", y " << i;
      EXPECT_TRUE(LandsInOpenAir(w(edge + 1, i), w(edge, i), w(edge - 2, i), w(edge - 3, i)))
          << "westward crossing at x " << edge << ", y " << i;
      EXPECT_EQ(IsOpen(w(i, edge - 1)), IsOpen(w(i, edge))) << "x " << i << ", y " << edge;
      EXPECT_TRUE(LandsInOpenAir(w(i, edge - 2), w(i, edge - 1), w(i, edge + 1), w(i, edge + 2)))
          << "downward crossing at x " << i << ", y " << edge;
      EXPECT_TRUE(LandsInOpenAir(w(i, edge + 1), w(i, edge), w(i, edge - 2), w(i, edge - 3)))
          << "upward crossing at x " << i << ", y " << edge;
    }
    // Falling out of the bottom is a miss, so the bottom holds him; the sides are walls.
    EXPECT_GE(w(i, kWorldTiles - 1), kFirstSolid) << "bottom, x " << i;
    EXPECT_GE(w(0, i), kFirstSolid) << "left, y " << i;
    EXPECT_GE(w(kWorldTiles - 1, i), kFirstSolid) << "right, y " << i;
  }
}

// Every class of the tile catalogue is met somewhere in the world.
struct TileClass {
  std::string name;
  std::vector<int> codes;
};

void PrintTo(const TileClass& tileClass, std::ostream* os) { *os << tileClass.name; }

class ShippedWorldClasses : public testing::TestWithParam<TileClass> {};

TEST_P(ShippedWorldClasses, ArePlaced) {
  SourceErrors errors;
  static const WorldTiles world = CompileWorld(MORIVA_WORLD_SOURCE_DIR, errors);
  int count = 0;
  for (std::uint8_t code : world.Bytes()) {
    for (int c : GetParam().codes) count += code == c;
  }
  EXPECT_GT(count, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, ShippedWorldClasses,
    testing::Values(TileClass{"Water", {5, 48, 49, 56, 57, 86, 87, 90, 91, 92, 93, 94, 95}},
                    TileClass{"Fire", {32}}, TileClass{"RedPool", {33}},
                    TileClass{"Spikes", {34, 35, 36, 37}},
                    TileClass{"Spring", {38, 39, 68, 69, 70, 71}},
                    TileClass{"Ladder", {40, 41, 43}}, TileClass{"PoleOrFence", {42, 65, 66, 67}},
                    TileClass{"LauncherLeft", {44, 45, 72, 73, 76, 77}},
                    TileClass{"LauncherRight", {46, 47, 74, 75, 78, 79}},
                    TileClass{"FloatArea", {50, 51, 58, 59, 60}}, TileClass{"Hook", {52, 53}},
                    TileClass{"FlameJet", {54}}, TileClass{"Box", {55, 82, 83}},
                    TileClass{"HiddenRock", {61}}, TileClass{"HiddenIce", {62}},
                    TileClass{"Goal", {142}}, TileClass{"Switch", {143}},
                    TileClass{"CrumblingFloor", {144, 145, 146, 147}},
                    TileClass{"BlueDoor", {148}}, TileClass{"GreenDoor", {149}},
                    TileClass{"RedDoor", {150}}, TileClass{"YellowDoor", {151}},
                    TileClass{"Glass", {152}}, TileClass{"Conveyor", {154, 155}},
                    TileClass{"Ice", {156, 157}}, TileClass{"FastConveyor", {158, 159}},
                    TileClass{"CrumblingBricks", {160, 161, 162, 163}}),
    [](const testing::TestParamInfo<TileClass>& param) { return param.param.name; });

}  // namespace
}  // namespace moriva::worldgen
