#include <gtest/gtest.h>

#include <algorithm>

#include "support/PhysicsRig.h"
#include "game/Animation.h"
#include "game/GameTables.h"
#include "platform/KeyCodes.h"

namespace moriva::test {
namespace {

// Every block of the middle row has a floor of `code` along row 40.
WorldBuilder FloorWorld(std::uint8_t code = 96) {
  WorldBuilder w;
  for (int bx = 0; bx < kWorldBlocks; ++bx) w.Floor(bx, 2, kFloorRow, code);
  return w;
}

float HighestTop(const PhysicsRig& rig, long from, long to) {
  float top = rig.At(from).HeroY;
  for (long f = from; f <= to; ++f) top = std::min(top, rig.At(f).HeroY);
  return top;
}

TEST(JumpTest, SpaceLiftsSevenFramesOrNineWithTheShoes) {
  for (int shoes = 0; shoes <= 1; ++shoes) {
    PhysicsRig rig(FloorWorld());
    rig.Start(2, 2, 320, kStandY);
    if (shoes) rig.Give(5);
    const int lifts = shoes ? 9 : 7;
    rig.Run(lifts + 2, {vk::kSpace});
    rig.Run(70 - lifts - 2);
    EXPECT_EQ(rig.At(lifts).JumpFrames, lifts);
    EXPECT_EQ(rig.At(lifts + 1).JumpFrames, lifts);
    EXPECT_FLOAT_EQ(HighestTop(rig, 1, 70), kStandY - (shoes ? 121.5f : 73.5f));
    EXPECT_EQ(rig.host().FramesOfEffect(effect::kJump), std::vector<long>{1});
  }
}

TEST(WalkTest, SpeedsSettleNearFourOnGroundAndInTheAirAndNearEightOnIce) {
  struct Case {
    const char* name;
    WorldBuilder world;
    int by, frames;
    float y, first, low, high;
  } const cases[] = {
      {"ground", FloorWorld(), 2, 120, kStandY, 0.506f, 4.0f, 4.2f},  // friction once, not per foot
      {"ice", FloorWorld(156), 2, 300, kStandY, 0.55f, 7.9f, 8.0f},
      {"air", WorldBuilder{}, 0, 200, 40, 0.55f, 4.0f, 4.15f},
  };
  for (const Case& c : cases) {
    PhysicsRig rig(c.world);
    rig.Start(0, c.by, 40, c.y);
    rig.Run(c.frames, {vk::kRight});
    EXPECT_NEAR(rig.At(1).HeroVX, c.first, 1e-6) << c.name;
    for (long f = c.frames - 20; f <= c.frames; ++f) {
      EXPECT_GE(rig.At(f).HeroVX, c.low) << c.name << " frame " << f;
      EXPECT_LE(rig.At(f).HeroVX, c.high) << c.name << " frame " << f;
    }
  }
}

TEST(RopeTest, AHookAboveCatchesTheRopeAndTheHeroClimbsToItsRow) {
  WorldBuilder w = FloorWorld();
  w.Set(2, 2, 10, 30, 52);
  PhysicsRig rig(w);
  rig.Start(2, 2, 330, kStandY);  // [345] \ 32 = column 10
  rig.Give(7);
  rig.Run(80, {vk::kEnter});
  const GameState& s = rig.At(1);
  EXPECT_EQ(s.HeroX, 320.0f);  // snapped to the column
  EXPECT_EQ(s.RopeRow, 31);
  EXPECT_TRUE(HeroSprite(s) == 8 || HeroSprite(s) == 12);
  EXPECT_EQ(rig.host().FramesOfEffect(effect::kRope), std::vector<long>{1});
  EXPECT_EQ(s.linRope[0].X1, 335);
  EXPECT_EQ(s.linRope[0].Y1, 31 * 32 - 24);  // 8 px below the hook tile's top
  EXPECT_EQ(s.linRope[0].Y2, 1248 - 4 + 2);  // the climb has already taken its first 4 px
  // 288 px at 4 px a frame: the 72nd frame reaches the row's top.
  EXPECT_EQ(rig.At(71).RopeRow, 31);
  EXPECT_EQ(rig.At(72).RopeRow, -1);
  EXPECT_EQ(rig.At(72).HeroY, 30 * 32 + 1.0f);
  EXPECT_FALSE(rig.At(72).linRope[0].Visible);
}

TEST(BlockEdgeTest, CrossingEntersTheNeighbourAndPaintsTheOldBlockVisited) {
  PhysicsRig rig(WorldBuilder{});
  rig.Start(1, 2, 36, 800);
  rig.state().HeroVX = -6;
  rig.Run(1);
  EXPECT_EQ(rig.module().BlockX, 0);
  EXPECT_EQ(rig.At(1).RestartX, 1528.0f);
  EXPECT_EQ(rig.At(1).BlockColor[1][2], kColorVisited);
  EXPECT_EQ(rig.At(1).BlockColor[0][2], kColorCurrentBlock);

  rig.Start(2, 1, 1530, 1530);
  rig.state().HeroVX = 10;
  rig.state().HeroVY = 10;
  rig.Run(1);
  EXPECT_EQ(rig.module().BlockX, 3);
  EXPECT_EQ(rig.module().BlockY, 2);
  EXPECT_EQ(rig.state().HeroX, 40.0f);
  EXPECT_EQ(rig.state().HeroY, 40.0f);
}

TEST(BlockEdgeTest, TheWorldsOuterEdgesAndAMissStopTheHeroAtTheEdge) {
  struct Case {
    int bx, by;
    float x, vx, edge;
    int countdown;
  } const cases[] = {{0, 0, 40, -12, 32, 0}, {4, 2, 1530, 12, 1536, 0}, {2, 2, 36, -8, 32, 50}};
  for (const Case& c : cases) {
    PhysicsRig rig(WorldBuilder{});
    rig.Start(c.bx, c.by, c.x, 800);
    rig.state().Countdown = c.countdown;
    rig.state().HeroState = c.countdown ? hero::kPierced : hero::kNormal;
    rig.state().HeroVX = c.vx;
    rig.Run(1);
    EXPECT_EQ(rig.At(1).HeroX, c.edge) << c.bx;
    EXPECT_EQ(rig.module().BlockX, c.bx);
  }
}

TEST(BlockEdgeTest, FallingOutOfTheBottomRowRestartsAfterEightyFrames) {
  PhysicsRig rig(WorldBuilder{});
  rig.Start(2, 4, 400, 1400);
  rig.Run(120);
  const long fell = rig.FirstFrame([](const GameState& s) { return s.HeroState == hero::kFallen; });
  ASSERT_GT(fell, 0);
  EXPECT_EQ(rig.At(fell).HeroY, 1536.0f);
  EXPECT_EQ(rig.At(fell).Countdown, 79);  // counted down once in its own frame
  EXPECT_EQ(rig.host().FramesOfEffect(effect::kFall), std::vector<long>{fell});
  EXPECT_EQ(rig.At(fell + 77).MissCount[2][4], 0);
  EXPECT_EQ(rig.At(fell + 78).HeroY, 1400.0f);
  EXPECT_EQ(rig.At(fell + 78).MissCount[2][4], 1);
  EXPECT_EQ(rig.At(fell + 79).HeroState, hero::kNormal);
}

}  // namespace
}  // namespace moriva::test
