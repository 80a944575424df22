#include <gtest/gtest.h>

#include <algorithm>

#include "support/PhysicsRig.h"
#include "game/Animation.h"
#include "game/GameTables.h"
#include "platform/KeyCodes.h"

namespace moriva::test {
namespace {

constexpr int kFloorRow = 40;
constexpr float kStandY = (kFloorRow - 1) * kTileSize;  // 1248: standing on the floor row

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

TEST(JumpTest, HoldingSpaceLiftsSevenFramesToAnApexOf73AndAHalf) {
  PhysicsRig rig(FloorWorld());
  rig.Start(2, 2, 320, kStandY);
  rig.Run(40, {vk::kSpace});
  EXPECT_EQ(rig.At(7).JumpFrames, 7);
  EXPECT_FLOAT_EQ(rig.At(7).HeroVY, -5.25f);  // 7 x (-1.0 + 0.25)
  EXPECT_FLOAT_EQ(rig.At(8).HeroVY, -5.0f);   // no eighth lift
  EXPECT_FLOAT_EQ(HighestTop(rig, 1, 40), kStandY - 73.5f);
  EXPECT_EQ(rig.host().FramesOfEffect(effect::kJump), std::vector<long>{1});
  rig.Run(30);
  EXPECT_FLOAT_EQ(rig.At(70).HeroY, kStandY);  // back on the floor
}

TEST(JumpTest, JumpShoesGiveNineLiftFramesAndAnApexOf121AndAHalf) {
  PhysicsRig rig(FloorWorld());
  rig.Start(2, 2, 320, kStandY);
  rig.Give(5);
  rig.Run(60, {vk::kSpace});
  EXPECT_EQ(rig.At(9).JumpFrames, 9);
  EXPECT_FLOAT_EQ(HighestTop(rig, 1, 60), kStandY - 121.5f);
}

TEST(JumpTest, AShortTapJumpsLowerAndTheLiftCannotResumeInTheAir) {
  PhysicsRig rig(FloorWorld());
  rig.Start(2, 2, 320, kStandY);
  rig.Run(3, {vk::kSpace});
  rig.Run(3);
  rig.Run(20, {vk::kSpace});  // pressed again while still rising, then falling
  const float top = HighestTop(rig, 1, 26);
  EXPECT_LT(top, kStandY);
  EXPECT_GT(top, kStandY - 73.5f);
  for (long f = 4; f <= 6; ++f) EXPECT_EQ(rig.At(f).JumpFrames, 3) << "frame " << f;
  EXPECT_EQ(rig.host().FramesOfEffect(effect::kJump).size(), 1u);
}

TEST(WalkTest, RightOnPlainGroundGainsHalfAPixelThenSettlesBetweenFourAndFourPointTwo) {
  PhysicsRig rig(FloorWorld());
  rig.Start(0, 2, 40, kStandY);
  rig.Run(120, {vk::kRight});
  EXPECT_NEAR(rig.At(1).HeroVX, 0.506, 1e-6);  // ground friction once, not once per foot
  for (long f = 40; f <= 120; ++f) {
    EXPECT_GE(rig.At(f).HeroVX, 4.0f) << "frame " << f;
    EXPECT_LE(rig.At(f).HeroVX, 4.2f) << "frame " << f;
  }
  EXPECT_EQ(rig.At(120).Facing, 0);
}

TEST(WalkTest, OnIceTheSpeedApproachesEight) {
  PhysicsRig rig(FloorWorld(156));
  rig.Start(0, 2, 40, kStandY);
  rig.Run(300, {vk::kRight});
  // The first frame still walks at full strength: the ice is only felt from the frame
  // after the feet first touched it. Then 0.4 of the ground acceleration, no friction.
  EXPECT_NEAR(rig.At(1).HeroVX, 0.55, 1e-6);
  EXPECT_NEAR(rig.At(2).HeroVX - rig.At(1).HeroVX * 0.98, 0.22, 1e-6);
  EXPECT_GT(rig.At(300).HeroVX, 7.9f);
  EXPECT_LE(rig.At(300).HeroVX, 8.0f);
}

TEST(WalkTest, InTheAirTheSpeedApproachesAboutFour) {
  PhysicsRig rig(WorldBuilder{});  // nothing but air, all the way down
  rig.Start(0, 0, 40, 40);
  rig.Run(200, {vk::kRight});
  // The air push stops at 4 px per frame, so the speed swings just above it.
  for (long f = 120; f <= 200; ++f) {
    EXPECT_GE(rig.At(f).HeroVX, 4.0f) << "frame " << f;
    EXPECT_LE(rig.At(f).HeroVX, 4.15f) << "frame " << f;
  }
}

TEST(WalkTest, LeftAndRightTogetherCancelAndFaceRight) {
  PhysicsRig rig(FloorWorld());
  rig.Start(2, 2, 320, kStandY);
  rig.state().Facing = 1;
  rig.Run(10, {vk::kLeft, vk::kRight});
  // Cancelled up to the rounding of 0.55 to single precision.
  EXPECT_NEAR(rig.At(10).HeroVX, 0.0, 1e-6);
  EXPECT_NEAR(rig.At(10).HeroX, 320.0, 1e-4);
  EXPECT_EQ(rig.At(10).Facing, 0);
}

TEST(JumpTest, AJumpFromARunningConveyorKeepsItsPush) {
  WorldBuilder w = FloorWorld();
  w.Put(2, 2, 5, kFloorRow, {"}}}}}}}}}}"});  // conveyor right, cols 5..14
  PhysicsRig rig(w);
  rig.Start(2, 2, 256, kStandY);
  rig.Run(5);
  EXPECT_EQ(rig.At(5).ConveyorVX, 1.0f);
  EXPECT_EQ(rig.At(5).HeroX, 260.0f);  // one pixel a frame from the second frame on
  rig.Run(12, {vk::kSpace});
  EXPECT_EQ(rig.At(6).HeroVX, 1.0f);  // the conveyor's push carried into the jump
  for (long f = 7; f <= 17; ++f) {
    EXPECT_EQ(rig.At(f).ConveyorVX, 0.0f) << "frame " << f;  // in the air
    EXPECT_GT(rig.At(f).HeroVX, 0.75f) << "frame " << f;
    EXPECT_GT(rig.At(f).HeroX, rig.At(f - 1).HeroX) << "frame " << f;
  }
}

TEST(JumpTest, WalkingOffALedgeAllowsAJumpInTheNextFrameOnly) {
  WorldBuilder w;
  w.Put(2, 2, 0, kFloorRow, {"#####################"});  // cols 0..20
  for (int late = 0; late <= 1; ++late) {
    PhysicsRig rig(w);
    rig.Start(2, 2, 700, kStandY);  // both feet beyond col 20
    rig.Run(1);
    EXPECT_EQ(rig.At(1).HeroVY, 0.25f);
    EXPECT_EQ(rig.At(1).JumpFrames, 0);
    if (late) rig.Run(1);
    rig.Run(1, {vk::kSpace});
    const GameState& s = rig.At(rig.frame());
    if (late) {
      EXPECT_EQ(s.JumpFrames, 999);
      EXPECT_TRUE(rig.host().FramesOfEffect(effect::kJump).empty());
    } else {
      EXPECT_EQ(s.JumpFrames, 1);
      EXPECT_FLOAT_EQ(s.HeroVY, -0.5f);
      EXPECT_EQ(rig.host().FramesOfEffect(effect::kJump), std::vector<long>{2});
    }
  }
}

TEST(SpeedTest, SpeedsAreLimitedToFifteenEachWay) {
  PhysicsRig rig(WorldBuilder{});
  rig.Start(2, 1, 800, 800);
  rig.state().HeroVX = 40;
  rig.state().HeroVY = -40;
  rig.Run(1);
  EXPECT_FLOAT_EQ(rig.At(1).HeroX, 800 + 15);
  EXPECT_FLOAT_EQ(rig.At(1).HeroY, 800 - 15);
}

// ---- The rope -------------------------------------------------------------------------

TEST(RopeTest, AHookAboveCatchesTheRopeAndTheHeroClimbsToItsRow) {
  WorldBuilder w = FloorWorld();
  w.Set(2, 2, 10, 30, 52);
  PhysicsRig rig(w);
  rig.Start(2, 2, 330, kStandY);  // [345] \ 32 = column 10
  rig.Give(7);
  rig.Run(1, {vk::kEnter});
  const GameState& s = rig.At(1);
  EXPECT_EQ(s.HeroX, 320.0f);  // snapped to the column
  EXPECT_EQ(s.RopeRow, 31);
  // The climb is shown with the climbing pictures while the rope is out.
  EXPECT_TRUE(HeroSprite(s) == 8 || HeroSprite(s) == 12);
  EXPECT_EQ(rig.host().FramesOfEffect(effect::kRope), std::vector<long>{1});
  const RopeLine& above = s.linRope[0];
  const RopeLine& below = s.linRope[1];
  EXPECT_TRUE(above.Visible);
  EXPECT_TRUE(below.Visible);
  EXPECT_EQ(above.X1, 335);
  EXPECT_EQ(above.X2, 335);
  EXPECT_EQ(above.Y1, 31 * 32 - 24);  // 8 px below the hook tile's top
  EXPECT_EQ(below.Y1, 1248 - 4 + 32);  // the climb has already taken its first 4 px
  EXPECT_EQ(below.Y2, 39 * 32 + 32);
  EXPECT_EQ(above.Y2, 1248 - 4 + 2);

  rig.Run(80);
  // 288 px at 4 px a frame: the 72nd frame reaches the row's top.
  EXPECT_EQ(rig.At(71).RopeRow, 31);
  EXPECT_EQ(rig.At(72).RopeRow, -1);
  EXPECT_EQ(rig.At(72).HeroY, 30 * 32 + 1.0f);
  EXPECT_FALSE(rig.At(72).linRope[0].Visible);
  EXPECT_FALSE(rig.At(72).linRope[1].Visible);
}

TEST(RopeTest, AHookInTheRowOfTheHerosTopIsCaughtSilently) {
  WorldBuilder w;
  w.Put(2, 2, 10, 30, {"k"});
  PhysicsRig rig(w);
  rig.Start(2, 2, 320, 30 * 32 + 20);  // mid-air, top edge in row 30
  rig.Give(7);
  rig.Run(1, {vk::kEnter});
  rig.Run(8);
  EXPECT_TRUE(rig.host().FramesOfEffect(effect::kRope).empty());
  long ended = 0;
  for (long f = 1; f <= 9 && ended == 0; ++f) {
    if (rig.At(f).RopeRow == -1) ended = f;
  }
  ASSERT_GT(ended, 0);
  EXPECT_LE(ended, 8);
  EXPECT_EQ(rig.At(ended).HeroY, 30 * 32 + 1.0f);
}

TEST(RopeTest, ATileAboveSixtyFourInTheWayStopsTheRope) {
  WorldBuilder w = FloorWorld();
  w.Put(2, 2, 10, 30, {"k", ".", "x"});  // 65 two rows below the hook
  PhysicsRig rig(w);
  rig.Start(2, 2, 330, kStandY);
  rig.Give(7);
  rig.Run(3, {vk::kEnter});
  EXPECT_EQ(rig.At(3).RopeRow, -1);
  EXPECT_EQ(rig.At(3).HeroX, 330.0f);
  EXPECT_EQ(rig.At(3).HeroState, hero::kNormal);
  EXPECT_TRUE(rig.host().FramesOfEffect(effect::kRope).empty());
  EXPECT_FALSE(rig.At(3).linRope[0].Visible);
}

TEST(RopeTest, WithoutTheRopeEnterDoesNothing) {
  WorldBuilder w = FloorWorld();
  w.Set(2, 2, 10, 30, 52);
  PhysicsRig rig(w);
  rig.Start(2, 2, 330, kStandY);
  rig.Run(2, {vk::kEnter});
  EXPECT_EQ(rig.At(2).RopeRow, 0);
  EXPECT_EQ(rig.At(2).HeroX, 330.0f);
}

// ---- Block edges ----------------------------------------------------------------------

TEST(BlockEdgeTest, CrossingLeftEntersTheNeighbourAt1528AndPaintsTheOldBlockWhite) {
  PhysicsRig rig(FloorWorld());
  rig.Start(1, 2, 36, kStandY);
  rig.state().HeroVX = -6;
  rig.Run(1);
  EXPECT_EQ(rig.module().BlockX, 0);
  EXPECT_EQ(rig.At(1).HeroX, 1528.0f);
  EXPECT_EQ(rig.At(1).BlockColor[1][2], kColorVisited);
  EXPECT_EQ(rig.At(1).BlockColor[0][2], kColorCurrentBlock);
  EXPECT_EQ(rig.At(1).RestartX, 1528.0f);  // the new block's restart point
  EXPECT_EQ(rig.host().enteredBlocks.size(), 2u);
}

TEST(BlockEdgeTest, CrossingRightAndDownPlaceTheHeroAt40) {
  PhysicsRig rig(WorldBuilder{});
  rig.Start(2, 1, 1530, 800);
  rig.state().HeroVX = 10;
  rig.Run(1);
  EXPECT_EQ(rig.module().BlockX, 3);
  EXPECT_EQ(rig.At(1).HeroX, 40.0f);
  rig.state().HeroY = 1530;
  rig.state().HeroVY = 10;
  rig.Run(1);
  EXPECT_EQ(rig.module().BlockY, 2);
  EXPECT_EQ(rig.At(2).HeroY, 40.0f);
  EXPECT_EQ(rig.At(2).BlockColor[3][1], kColorVisited);
}

TEST(BlockEdgeTest, TheWorldsOuterEdgesStopTheHeroAt32And1536) {
  PhysicsRig rig(WorldBuilder{});
  rig.Start(0, 0, 40, 40);
  rig.state().HeroVX = -12;
  rig.state().HeroVY = -12;
  rig.Run(1);
  EXPECT_EQ(rig.At(1).HeroX, 32.0f);
  EXPECT_EQ(rig.At(1).HeroY, 32.0f);
  EXPECT_EQ(rig.module().BlockX, 0);
  EXPECT_EQ(rig.module().BlockY, 0);

  rig.Start(4, 2, 1530, 800);
  rig.state().HeroVX = 12;
  rig.Run(1);
  EXPECT_EQ(rig.At(2).HeroX, 1536.0f);
  EXPECT_EQ(rig.module().BlockX, 4);
}

TEST(BlockEdgeTest, NoCrossingWhileAMissIsPlayedOut) {
  PhysicsRig rig(WorldBuilder{});
  rig.Start(2, 2, 36, 800);
  rig.state().Countdown = 50;
  rig.state().HeroState = hero::kPierced;
  rig.state().HeroVX = -8;
  rig.Run(1);
  EXPECT_EQ(rig.module().BlockX, 2);
  EXPECT_EQ(rig.At(1).HeroX, 32.0f);
}

TEST(BlockEdgeTest, FallingOutOfTheBottomRowRestartsAfterEightyFrames) {
  PhysicsRig rig(WorldBuilder{});
  rig.Start(2, 4, 400, 1400);
  rig.Run(120);
  long fell = 0;
  for (long f = 1; f <= 120 && fell == 0; ++f) {
    if (rig.At(f).HeroState == hero::kFallen) fell = f;
  }
  ASSERT_GT(fell, 0);
  EXPECT_EQ(rig.At(fell).HeroY, 1536.0f);
  EXPECT_EQ(rig.At(fell).Countdown, 79);  // counted down once in its own frame
  EXPECT_EQ(rig.host().FramesOfEffect(effect::kFall), std::vector<long>{fell});
  EXPECT_EQ(HeroSprite(rig.At(fell)), -1);  // not drawn
  EXPECT_EQ(rig.At(fell + 77).HeroState, hero::kFallen);
  EXPECT_EQ(rig.At(fell + 77).MissCount[2][4], 0);
  const GameState& back = rig.At(fell + 78);
  EXPECT_EQ(back.HeroX, 400.0f);
  EXPECT_EQ(back.HeroY, 1400.0f);
  EXPECT_EQ(back.MissCount[2][4], 1);
  EXPECT_EQ(back.Countdown, 0);
  EXPECT_EQ(rig.At(fell + 79).HeroState, hero::kNormal);
}

TEST(StateTest, ClimbingSwimmingAndFloatingKeysSetTheirSpeeds) {
  WorldBuilder w;
  w.Put(2, 2, 10, 10, {"H"});
  w.Put(2, 2, 20, 10, {"W"});
  w.Put(2, 2, 30, 10, {"~"});
  PhysicsRig rig(w);
  rig.Start(2, 2, 320, 320);  // on the ladder
  rig.Run(1);
  EXPECT_EQ(rig.At(1).HeroState, hero::kClimbing);
  rig.Run(1, {vk::kUp, vk::kDown, vk::kRight, vk::kLeft});
  // Down after Up and Left after Right: the later keys win; JumpFrames from Up stays 3
  // until the ladder sets it to 1.
  EXPECT_FLOAT_EQ(rig.At(2).HeroY, rig.At(1).HeroY + 3);
  EXPECT_FLOAT_EQ(rig.At(2).HeroX, 317);
  EXPECT_EQ(rig.At(2).Facing, 0);

  rig.Start(2, 2, 640, 320);  // in water with the helmet
  rig.Give(6);
  rig.Run(2);
  EXPECT_EQ(rig.At(4).HeroState, hero::kSwimming);
  rig.Run(1, {vk::kLeft});
  EXPECT_EQ(rig.At(5).HeroVX, -2.0f);
  EXPECT_EQ(rig.At(5).Facing, 1);

  rig.Start(2, 2, 960, 320);  // floating
  rig.Run(2);
  EXPECT_EQ(rig.At(7).HeroState, hero::kFloating);
  rig.Run(1, {vk::kSpace, vk::kRight});
  EXPECT_EQ(rig.At(8).HeroVY, -1.5f);
  EXPECT_EQ(rig.At(8).HeroVX, 2.0f);
}

}  // namespace
}  // namespace moriva::test
