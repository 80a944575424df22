// The first screens of the shipped world played through the real frame loop and physics:
// the start point holds the hero, and the meadows lead west past the memo and the diary to
// the cave of the green key.
#include <gtest/gtest.h>

#include <functional>

#include "support/PhysicsRig.h"
#include "WorldSource.h"

namespace moriva::worldgen {
namespace {

using moriva::test::PhysicsRig;
using moriva::test::WorldBuilder;

constexpr int kLeft = 37;
constexpr int kRight = 39;
constexpr int kUp = 38;
constexpr int kSpace = 32;
constexpr int kEnter = 13;
constexpr int kTile = 32;

class ShippedWorldPlay : public testing::Test {
 protected:
  void SetUp() override {
    SourceErrors errors;
    const WorldTiles tiles = CompileWorld(MORIVA_WORLD_SOURCE_DIR, errors);
    ASSERT_TRUE(errors.empty()) << errors[0].Text();
    for (int x = 0; x < kWorldTiles; ++x) {
      for (int y = 0; y < kWorldTiles; ++y) rig_.module().Map(x, y) = tiles(x, y);
    }
    rig_.Start(2, 4, 160, 1498);   // where a new game starts
  }

  // Runs frame by frame with `keys` held until `done` holds; false if it never did.
  bool RunUntil(std::initializer_list<int> keys, int maxFrames, const std::function<bool()>& done) {
    for (int f = 0; f < maxFrames; ++f) {
      rig_.Run(1, keys);
      if (done()) return true;
    }
    return false;
  }
  bool Dialog(int itemNo) {
    for (const auto& call : rig_.host().dialogs) {
      if (call.value == itemNo) return true;
    }
    return false;
  }
  int BlockX() { return rig_.module().BlockX; }
  int BlockY() { return rig_.module().BlockY; }
  int Misses() {
    int total = 0;
    for (const auto& column : rig_.state().MissCount) {
      for (auto count : column) total += count;
    }
    return total;
  }

  PhysicsRig rig_{WorldBuilder()};
};

TEST_F(ShippedWorldPlay, TheHeroLandsOnTheGrassAtTheStart) {
  rig_.Run(60);
  EXPECT_EQ(BlockX(), 2);
  EXPECT_EQ(BlockY(), 4);
  EXPECT_FLOAT_EQ(rig_.state().HeroX, 160.0f);
  EXPECT_FLOAT_EQ(rig_.state().HeroY, 47 * 32.0f);   // standing on row 48
  EXPECT_EQ(rig_.state().HeroState, 0);
  EXPECT_EQ(Misses(), 0);
}

TEST_F(ShippedWorldPlay, TheMeadowsLeadWestToTheGreenKey) {
  ASSERT_TRUE(RunUntil({kRight}, 200, [&] { return Dialog(102); })) << "the memo beside the start";
  ASSERT_TRUE(RunUntil({kLeft}, 1200, [&] { return BlockX() == 1; }));
  ASSERT_TRUE(RunUntil({kLeft}, 1200, [&] { return Dialog(4); })) << "the diary on the meadow";
  ASSERT_TRUE(RunUntil({kLeft, kSpace}, 3000, [&] { return BlockX() == 0; }))
      << "over the hill, x " << rig_.state().HeroX << " y " << rig_.state().HeroY;
  // Down the cave's steps and over the spike pit (columns 15..17), then walk to the key.
  ASSERT_TRUE(RunUntil({kLeft, kSpace}, 3000, [&] { return rig_.state().HeroX < 13 * 32; }))
      << "over the spikes, x " << rig_.state().HeroX << " y " << rig_.state().HeroY;
  ASSERT_TRUE(RunUntil({kLeft}, 600, [&] { return Dialog(1); }))
      << "the green key, x " << rig_.state().HeroX << " y " << rig_.state().HeroY;
  EXPECT_EQ(BlockY(), 4);
  EXPECT_EQ(Misses(), 0);
}

TEST_F(ShippedWorldPlay, TheVineClimbsToTheGreenDoor) {
  rig_.Start(1, 4, 30 * kTile, 41 * kTile);   // at the foot of the vine on the hill
  rig_.Give(1);
  ASSERT_TRUE(RunUntil({kUp}, 2000, [&] { return BlockY() == 3 && rig_.state().HeroY < 45 * kTile; }));
  ASSERT_TRUE(RunUntil({kLeft}, 600, [&] { return rig_.state().HeroX < 24 * kTile; }))
      << "through the green door, x " << rig_.state().HeroX << " y " << rig_.state().HeroY;
  EXPECT_EQ(rig_.host().FramesOfEffect(6).size(), 1u);
  EXPECT_EQ(Misses(), 0);
}

TEST_F(ShippedWorldPlay, TheLakeIsCrossedUnderTheWallWithTheHelmet) {
  rig_.Start(1, 2, 12 * kTile, 39 * kTile);   // on the west shore, by the ladder
  rig_.Give(6);
  ASSERT_TRUE(RunUntil({kRight}, 2000, [&] { return rig_.state().HeroX > 31 * kTile; }))
      << "under the wall, x " << rig_.state().HeroX << " y " << rig_.state().HeroY;
  ASSERT_TRUE(RunUntil({kRight, kSpace}, 2000, [&] { return BlockX() == 2; }))
      << "out on the east shore, x " << rig_.state().HeroX << " y " << rig_.state().HeroY;
  EXPECT_EQ(Misses(), 0);
}

TEST_F(ShippedWorldPlay, TheCastleHallWallNeedsTheJumpShoes) {
  rig_.Start(3, 3, 30 * kTile, 39 * kTile);
  RunUntil({kRight, kSpace}, 600, [] { return false; });
  EXPECT_LT(rig_.state().HeroX, 38 * kTile) << "without the shoes";

  rig_.Start(3, 3, 30 * kTile, 39 * kTile);
  rig_.Give(5);
  EXPECT_TRUE(RunUntil({kRight, kSpace}, 600, [&] { return rig_.state().HeroX > 40 * kTile; }))
      << "with the shoes, x " << rig_.state().HeroX << " y " << rig_.state().HeroY;
}

TEST_F(ShippedWorldPlay, TheRopeClimbsToTheDumplings) {
  rig_.Start(2, 1, 19 * kTile, 40 * kTile);   // under the first hook
  rig_.Run(10);
  rig_.Give(7);
  ASSERT_TRUE(RunUntil({kEnter}, 200, [&] { return rig_.state().HeroY < 28 * kTile; }));
  ASSERT_TRUE(RunUntil({kRight}, 600, [&] { return Dialog(8); }))
      << "x " << rig_.state().HeroX << " y " << rig_.state().HeroY;
  EXPECT_EQ(Misses(), 0);
}

TEST_F(ShippedWorldPlay, TheLavaPillarsCarryTheShoesToTheLadder) {
  rig_.Start(0, 2, 44 * kTile, 39 * kTile);   // inside the lava cavern's door
  rig_.Give(5);
  ASSERT_TRUE(RunUntil({kLeft, kSpace}, 3000, [&] {
    return rig_.state().HeroX < 12 * kTile && rig_.state().HeroY < 32 * kTile;
  })) << "x " << rig_.state().HeroX << " y " << rig_.state().HeroY << " misses " << Misses();
  EXPECT_EQ(Misses(), 0);
}

}  // namespace
}  // namespace moriva::worldgen
