// Checks on the world that ships in data/world: its shape, the start point, the boxes and
// the goal, the block borders, and the order in which the journey opens up.
#include <gtest/gtest.h>

#include <map>

#include "WorldJourney.h"
#include "WorldSource.h"

namespace moriva::worldgen {
namespace {

using test::Cell;
using test::Explore;
using test::kCarefulReach;
using test::kGenerousReach;

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

  // Items found in boxes reachable from the start with `items`, as a bit set.
  static unsigned ItemsWithin(unsigned items, const test::HeroReach& reach,
                              const std::set<Cell>& walls = {}) {
    unsigned found = 0;
    for (const auto& [x, y] : Explore(World(), items, reach, walls).boxes) {
      auto it = kBoxContents.find({x / kBlockTiles, y / kBlockTiles});
      if (it != kBoxContents.end() && it->second < 10) found |= 1u << it->second;
    }
    return found;
  }
  static bool GoalStandable(const test::Reach& reach) {
    for (const auto& [x, y] : reach.cells) {
      if (y + 1 < kWorldTiles && World()(x, y + 1) == kGoal) return true;
    }
    return false;
  }
  static Cell BoxOf(int item) {
    for (int x = 0; x < kWorldTiles; ++x) {
      for (int y = 0; y < kWorldTiles; ++y) {
        auto it = kBoxContents.find({x / kBlockTiles, y / kBlockTiles});
        if (IsBox(World()(x, y)) && it != kBoxContents.end() && it->second == item) return {x, y};
      }
    }
    return {-1, -1};
  }

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

TEST_F(ShippedWorld, EveryBlockWithContentsHasABox) {
  for (const auto& [block, content] : kBoxContents) {
    int boxes = 0;
    for (int i = 0; i < kBlockTiles; ++i) {
      for (int j = 0; j < kBlockTiles; ++j) {
        boxes += IsBox(World()(block.first * kBlockTiles + i, block.second * kBlockTiles + j));
      }
    }
    EXPECT_GE(boxes, 1) << "block (" << block.first << ", " << block.second << ") holds "
                        << content;
  }
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

TEST_F(ShippedWorld, BlockBordersLineUp) {
  // An open edge cell always faces an open cell of the neighbour, so every passage leads
  // somewhere and no wall ends at a border in mid-air.
  for (int y = 0; y < kWorldTiles; ++y) {
    for (int bx = 1; bx < kWorldBlocks; ++bx) {
      const int x = bx * kBlockTiles;
      EXPECT_EQ(IsOpen(World()(x - 1, y)), IsOpen(World()(x, y))) << "x " << x << ", y " << y;
    }
  }
  for (int x = 0; x < kWorldTiles; ++x) {
    for (int by = 1; by < kWorldBlocks; ++by) {
      const int y = by * kBlockTiles;
      EXPECT_EQ(IsOpen(World()(x, y - 1)), IsOpen(World()(x, y))) << "x " << x << ", y " << y;
    }
  }
}

TEST_F(ShippedWorld, OuterEdgesAreWalls) {
  // The bottom must hold him (falling out there is a miss); the sides are walled as well.
  for (int i = 0; i < kWorldTiles; ++i) {
    EXPECT_GE(World()(i, kWorldTiles - 1), kFirstSolid) << "bottom, x " << i;
    EXPECT_GE(World()(0, i), kFirstSolid) << "left, y " << i;
    EXPECT_GE(World()(kWorldTiles - 1, i), kFirstSolid) << "right, y " << i;
  }
}

// The journey opens up in this order, one stage per row: what the boxes within reach
// hold once the items of all earlier stages are owned.
const std::vector<unsigned> kStages = {
    (1u << 1) | (1u << 4),   // green key and diary, on the meadows
    1u << 6,                 // diving helmet, behind the green door
    1u << 0,                 // blue key, through the lake
    1u << 5,                 // jump shoes, in the castle behind the blue door
    (1u << 9) | (1u << 2),   // pampas grass, then the red key, past the shoes' wall
    1u << 7,                 // rope, above the lava behind the red door
    (1u << 8) | (1u << 3),   // dumplings, then the yellow key, up the rope climbs
};

void ExpectStages(unsigned (*within)(unsigned, const test::HeroReach&, const std::set<Cell>&),
                  const test::HeroReach& reach) {
  unsigned items = 0;
  for (std::size_t stage = 0; stage < kStages.size(); ++stage) {
    EXPECT_EQ(within(items, reach, {}) & ~items, kStages[stage]) << "stage " << stage;
    items |= kStages[stage];
  }
  EXPECT_EQ(items, 0x3ffu);
}

TEST_F(ShippedWorld, TheJourneyCanBeCompletedWithRoomToSpare) {
  ExpectStages(&ShippedWorld::ItemsWithin, kCarefulReach);
  EXPECT_TRUE(GoalStandable(Explore(World(), 0x3ff, kCarefulReach)));
}

TEST_F(ShippedWorld, NoStageCanBeSkippedEvenWithGenerousJumps) {
  ExpectStages(&ShippedWorld::ItemsWithin, kGenerousReach);
  // The goal stays closed until the yellow key, the last item found.
  EXPECT_FALSE(GoalStandable(Explore(World(), 0x3ff & ~(1u << 3), kGenerousReach)));
}

TEST_F(ShippedWorld, TheGoodsLieOnTheOnlyWayOn) {
  const unsigned beforeRedKey = 0x3ffu & ~((1u << 2) | (1u << 9) | (1u << 7) | (1u << 8) | (1u << 3));
  // Walling up the pampas grass's box cuts the way to the red key...
  EXPECT_FALSE(ItemsWithin(beforeRedKey, kGenerousReach, {BoxOf(9)}) & (1u << 2));
  // ...and walling up the dumplings' box the way to the yellow key.
  const unsigned beforeDumplings = 0x3ffu & ~((1u << 8) | (1u << 3));
  EXPECT_FALSE(ItemsWithin(beforeDumplings, kGenerousReach, {BoxOf(8)}) & (1u << 3));
  // The rope's box blocks the pass to the sky path.
  const unsigned beforeRope = 0x3ffu & ~((1u << 7) | (1u << 8) | (1u << 3));
  const auto reach = Explore(World(), beforeRope, kGenerousReach, {BoxOf(7)});
  for (const auto& [x, y] : reach.cells) {
    ASSERT_FALSE(x >= kBlockTiles && y < kBlockTiles) << "reached block (1, 0) at " << x << ", " << y;
  }
}

TEST_F(ShippedWorld, EveryBoxCanBeReached) {
  const auto reach = Explore(World(), 0x3ff, kCarefulReach);
  for (int x = 0; x < kWorldTiles; ++x) {
    for (int y = 0; y < kWorldTiles; ++y) {
      if (IsBox(World()(x, y))) {
        EXPECT_TRUE(reach.boxes.count({x, y})) << x << ", " << y;
      }
    }
  }
}

}  // namespace
}  // namespace moriva::worldgen
