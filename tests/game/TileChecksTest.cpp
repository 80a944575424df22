#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "support/PhysicsRig.h"
#include "game/GameTables.h"
#include "platform/KeyCodes.h"

namespace moriva::test {
namespace {

constexpr int kFloorRow = 40;
constexpr float kStandY = (kFloorRow - 1) * kTileSize;  // 1248

WorldBuilder Floored() {
  WorldBuilder w;
  w.Floor(2, 2, kFloorRow);
  return w;
}

// ---- Doors ----------------------------------------------------------------------------

WorldBuilder DoorWorld() {
  WorldBuilder w = Floored();
  w.Put(2, 2, 12, 38, {"b.", "b."});  // a two-tile blue door in column 12
  return w;
}

TEST(DoorTest, WithoutItsKeyADoorIsAWall) {
  PhysicsRig rig(DoorWorld());
  rig.Start(2, 2, 320, kStandY);
  rig.Run(30, {vk::kRight});
  EXPECT_EQ(rig.At(30).HeroX, 11 * 32.0f);  // against the door's left face
  EXPECT_EQ(rig.At(30).HeroVX, 0.0f);
  EXPECT_EQ(rig.state().BlockTiles(12, 39), 148);
  EXPECT_TRUE(rig.host().FramesOfEffect(effect::kDoor).empty());
}

TEST(DoorTest, WithTheKeyTheDoorOpensOnceAndClosesWhenTheBlockIsEntered) {
  PhysicsRig rig(DoorWorld());
  rig.Start(2, 2, 320, kStandY);
  rig.Give(0);
  rig.Run(30, {vk::kRight});
  EXPECT_GT(rig.At(30).HeroX, 12 * 32.0f);  // walked through
  EXPECT_EQ(rig.host().FramesOfEffect(effect::kDoor).size(), 1u);
  EXPECT_EQ(rig.state().BlockTiles(12, 39), 0);    // took the tile to its right
  EXPECT_EQ(rig.state().BlockTiles(12, 38), 148);  // the head never touched it
  EXPECT_EQ(rig.SurfaceTile(12, 39), PhysicsRig::TileColour(0));
  EXPECT_EQ(rig.module().Map(112, 139), 148);      // the world keeps its door

  rig.game().EnterBlock();
  EXPECT_EQ(rig.state().BlockTiles(12, 39), 148);
}

TEST(DoorTest, AKeyOfAnotherColourDoesNotOpenIt) {
  PhysicsRig rig(DoorWorld());
  rig.Start(2, 2, 320, kStandY);
  rig.Give(1);
  rig.Give(2);
  rig.Give(3);
  rig.Run(30, {vk::kRight});
  EXPECT_EQ(rig.At(30).HeroX, 11 * 32.0f);
}

// ---- Head: hidden blocks and bumps ----------------------------------------------------

TEST(HeadTest, HiddenBlocksAreRevealedInTheFrameOfTheBump) {
  for (const auto& [hidden, revealed] : {std::pair{61, 135}, std::pair{62, 157}}) {
    WorldBuilder w = Floored();
    w.Set(2, 2, 10, 37, static_cast<std::uint8_t>(hidden));
    PhysicsRig rig(w);
    rig.Start(2, 2, 320, kStandY);
    long shown = 0;
    for (long f = 1; f <= 20 && shown == 0; ++f) {
      rig.Run(1, {vk::kSpace});
      if (rig.state().BlockTiles(10, 37) != hidden) shown = f;
    }
    ASSERT_GT(shown, 0) << hidden;
    EXPECT_EQ(rig.state().BlockTiles(10, 37), revealed);
    EXPECT_EQ(rig.At(shown).HeroY, 38 * 32.0f);  // just below the revealed block
    EXPECT_LT(rig.At(shown).HeroVY, 0.0f);       // stopped by it only in the next frame
    EXPECT_EQ(rig.SurfaceTile(10, 37), PhysicsRig::TileColour(revealed));
    rig.Run(1);
    EXPECT_EQ(rig.At(shown + 1).HeroVY, 0.0f);
  }
}

TEST(HeadTest, AFastBumpShowsStarsAndPlaysTheBumpOnce) {
  WorldBuilder w = Floored();
  w.Set(2, 2, 10, 37, 96);
  PhysicsRig rig(w);
  rig.Start(2, 2, 320, kStandY);
  rig.Run(20, {vk::kSpace});
  const std::vector<long> bumps = rig.host().FramesOfEffect(effect::kBump);
  ASSERT_EQ(bumps.size(), 1u);
  const GameState& s = rig.At(bumps[0]);
  EXPECT_EQ(s.HeroVY, 0.0f);
  EXPECT_EQ(s.BumpX, 320);
  EXPECT_EQ(s.BumpY, static_cast<int>(s.HeroY) - 12);
  EXPECT_EQ(s.BumpTimer, 7);  // 8, then one frame drawn
}

// ---- Feet -----------------------------------------------------------------------------

TEST(GlassTest, OnlyAFallFasterThanFourteenCracksItThenTheNextLandingBreaksIt) {
  WorldBuilder w = Floored();
  w.Set(2, 2, 10, kFloorRow, 152);
  w.Set(2, 2, 10, kFloorRow + 1, 96);
  PhysicsRig rig(w);
  rig.Start(2, 2, 320, 64);  // a long fall: the speed reaches its limit of 15
  long cracked = 0;
  for (long f = 1; f <= 200 && cracked == 0; ++f) {
    rig.Run(1);
    if (rig.state().BlockTiles(10, kFloorRow) == 153) cracked = f;
  }
  ASSERT_GT(cracked, 0);
  EXPECT_EQ(rig.At(cracked).HeroVY, -5.0f);
  EXPECT_EQ(rig.SurfaceTile(10, kFloorRow), PhysicsRig::TileColour(153));
  EXPECT_EQ(rig.At(cracked - 1).HeroVY, 15.0f);
  // Rebound, fall back gently and break through.
  rig.Run(70);
  EXPECT_EQ(rig.state().BlockTiles(10, kFloorRow), 0);
  EXPECT_EQ(rig.SurfaceTile(10, kFloorRow), PhysicsRig::TileColour(0));
  EXPECT_FLOAT_EQ(rig.state().HeroY, kStandY + 32);  // standing on the row below
}

TEST(GlassTest, ASlowLandingLeavesTheGlassWhole) {
  WorldBuilder w;
  w.Set(2, 2, 10, kFloorRow, 152);
  PhysicsRig rig(w);
  rig.Start(2, 2, 320, kStandY - 100);
  rig.Run(60);
  EXPECT_EQ(rig.state().BlockTiles(10, kFloorRow), 152);
  EXPECT_EQ(rig.state().HeroY, kStandY);
  EXPECT_EQ(rig.state().JumpFrames, 0);
}

TEST(CrumbleTest, OneFootWearsAFloorThroughFourStagesOfThirtyFrames) {
  WorldBuilder w = Floored();
  w.Set(2, 2, 10, kFloorRow, 144);
  w.Set(2, 2, 10, kFloorRow - 1, 0);
  PhysicsRig rig(w);
  rig.Start(2, 2, 330, kStandY);  // left foot on column 10, right foot on column 11
  const int stages[] = {145, 146, 147, 0};
  for (int stage = 0; stage < 4; ++stage) {
    rig.Run(29);
    EXPECT_EQ(rig.state().BlockTiles(10, kFloorRow), stage == 0 ? 144 : stages[stage - 1])
        << "stage " << stage;
    rig.Run(1);
    EXPECT_EQ(rig.state().BlockTiles(10, kFloorRow), stages[stage]) << "stage " << stage;
    EXPECT_EQ(rig.SurfaceTile(10, kFloorRow), PhysicsRig::TileColour(stages[stage]));
  }
  EXPECT_EQ(rig.frame(), 120);
}

TEST(CrumbleTest, BothFeetWearItTwiceAsFastAndTheSecondKindGoesTooTo) {
  WorldBuilder w = Floored();
  w.Set(2, 2, 10, kFloorRow, 160);
  w.Set(2, 2, 10, kFloorRow - 1, 4);  // what the gone floor takes
  PhysicsRig rig(w);
  rig.Start(2, 2, 320, kStandY);
  rig.Run(14);
  EXPECT_EQ(rig.state().BlockTiles(10, kFloorRow), 160);
  rig.Run(1);
  EXPECT_EQ(rig.state().BlockTiles(10, kFloorRow), 161);
  rig.Run(45);
  EXPECT_EQ(rig.state().BlockTiles(10, kFloorRow), 4);  // 164: gone, the tile above taken
}

TEST(CrumbleTest, FallingResetsTheTimerAndTheFloorIsSlow) {
  WorldBuilder w = Floored();
  w.Set(2, 2, 10, kFloorRow, 144);
  PhysicsRig rig(w);
  rig.Start(2, 2, 320, kStandY);
  rig.Run(10);
  EXPECT_EQ(rig.state().CrumbleTimer, 30 - 2 * 9 - 1);
  EXPECT_EQ(rig.state().SlowFloor, 1);
  rig.Run(4, {vk::kSpace});
  rig.Run(1);
  rig.Run(30);
  EXPECT_EQ(rig.state().BlockTiles(10, kFloorRow), 144);  // the jump started it afresh
}

TEST(ConveyorTest, WithTheSwitchOffConveyorsDoNotPush) {
  WorldBuilder w;
  w.Put(2, 2, 8, kFloorRow, {"((()))}}}{{{"});
  for (int x = 320; x <= 320 + 32 * 3; x += 96) {
    PhysicsRig rig(w);
    rig.Start(2, 2, x, kStandY);
    rig.state().SwitchOn = 0;
    rig.Run(20);
    EXPECT_EQ(rig.state().ConveyorVX, 0.0f);
    EXPECT_EQ(rig.state().HeroX, static_cast<float>(x));
  }
}

TEST(ConveyorTest, RunningConveyorsPushAtTheirSpeeds) {
  const std::pair<char, float> kinds[] = {{'{', -1}, {'}', 1}, {'(', -4}, {')', 4}};
  for (const auto& [ch, push] : kinds) {
    WorldBuilder w;
    w.Put(2, 2, 0, kFloorRow, {std::string(50, ch)});
    PhysicsRig rig(w);
    rig.Start(2, 2, 800, kStandY);
    rig.Run(11);
    EXPECT_EQ(rig.state().ConveyorVX, push) << ch;
    EXPECT_EQ(rig.state().HeroX, 800 + 10 * push) << ch;
  }
}

TEST(SwitchTest, EachLandingTogglesTheSwitchOnce) {
  WorldBuilder w;
  w.Set(2, 2, 10, kFloorRow, 143);
  PhysicsRig rig(w);
  rig.Start(2, 2, 320, kStandY - 40);
  rig.Run(120);
  const std::vector<long> toggles = rig.host().FramesOfEffect(effect::kSwitch);
  ASSERT_GE(toggles.size(), 3u);
  for (std::size_t i = 1; i < toggles.size(); ++i) {
    EXPECT_GT(toggles[i] - toggles[i - 1], 10);  // one bounce between two toggles
  }
  EXPECT_EQ(rig.state().SwitchOn, toggles.size() % 2 == 0 ? 1 : 0);
  EXPECT_EQ(rig.At(toggles[0]).HeroVY, -3.0f);
}

TEST(IceTest, IceKeepsTheHeroSliding) {
  WorldBuilder w;
  w.Floor(2, 2, kFloorRow, 156);
  PhysicsRig rig(w);
  rig.Start(2, 2, 320, kStandY);
  rig.state().HeroVX = 3;
  rig.Run(10);
  EXPECT_NEAR(rig.state().HeroVX, 3 * std::pow(0.98, 10), 1e-4);  // drag only
}

// ---- Springs and launchers ------------------------------------------------------------

TEST(SpringTest, ASpringHoldsTheHeroShowsItsPressedPictureAndThrowsHimUp) {
  WorldBuilder w = Floored();
  w.Set(2, 2, 10, kFloorRow - 1, 38);
  PhysicsRig rig(w);
  rig.Start(2, 2, 320, kStandY);
  rig.Run(1);
  EXPECT_EQ(rig.At(1).SpringTimer, 15);
  EXPECT_EQ(rig.At(1).HeroY, 39 * 32 - 16.0f);
  rig.Run(20);
  const std::vector<long> fired = rig.host().FramesOfEffect(effect::kSpring);
  ASSERT_EQ(fired.size(), 1u);
  EXPECT_EQ(fired[0], 16);
  const GameState& s = rig.At(fired[0]);
  EXPECT_EQ(s.HeroVY, -14.0f);
  EXPECT_EQ(s.SpringTimer, 0);
  EXPECT_EQ(s.JumpFrames, 999);
  // While held, the cell to the right of the spring's own on the sheet is shown over it.
  const GameState& held = rig.At(10);
  ASSERT_EQ(held.TileFrCount, 1);
  EXPECT_EQ(held.TileFrX[0], 320);
  EXPECT_EQ(held.TileFrY[0], 39 * 32);
  EXPECT_EQ(held.TileFrCol[0], 7);
  EXPECT_EQ(held.TileFrRow[0], 4);
}

TEST(SpringTest, ASpringAtTheEndOfASheetRowHasNoPressedPicture) {
  WorldBuilder w = Floored();
  w.Set(2, 2, 10, kFloorRow - 1, 39);
  PhysicsRig rig(w);
  rig.Start(2, 2, 320, kStandY);
  rig.Run(20);
  EXPECT_EQ(rig.At(10).TileFrCount, 0);
  EXPECT_EQ(rig.host().FramesOfEffect(effect::kSpring).size(), 1u);  // still throws
}

TEST(SpringTest, APlainLandingClearsAHalfWaySpringTimer) {
  PhysicsRig rig(Floored());
  rig.Start(2, 2, 320, kStandY);
  rig.state().SpringTimer = 7;
  rig.Run(1);
  EXPECT_EQ(rig.At(1).SpringTimer, 0);
}

TEST(LauncherTest, LaunchersSeatTheHeroThenThrowHimSideways) {
  struct Case {
    std::uint8_t code;
    float seat;
    float hold;
    float dx;
    float speed;
  } const cases[] = {{44, 320 - 3, 0.2f, -32, -15}, {46, 320 + 28, -0.2f, 32, 15}};
  for (const Case& c : cases) {
    // Launchers are two tiles wide: seated on the right-hand launcher's first tile, the
    // hero's centre lies in its second.
    WorldBuilder w = Floored();
    w.Set(2, 2, 10, kFloorRow - 1, c.code);
    w.Set(2, 2, 11, kFloorRow - 1, static_cast<std::uint8_t>(c.code + 1));
    PhysicsRig rig(w);
    rig.Start(2, 2, 320, kStandY);
    rig.Run(1);
    EXPECT_EQ(rig.At(1).LauncherTimer, 9);
    EXPECT_EQ(rig.At(1).HeroX, c.seat);
    rig.Run(10);
    const std::vector<long> fired = rig.host().FramesOfEffect(effect::kSpring);
    ASSERT_EQ(fired.size(), 1u) << int(c.code);
    EXPECT_EQ(fired[0], 9);
    EXPECT_EQ(rig.At(5).HeroVX, c.hold);
    if (c.code == 44) {
      ASSERT_EQ(rig.At(5).TileFrCount, 1);
      EXPECT_EQ(rig.At(5).TileFrCol[0], 5);
    } else {
      EXPECT_EQ(rig.At(5).TileFrCount, 0);  // on 47, the end of a sheet row: no pressed picture
    }
    const GameState& s = rig.At(9);
    EXPECT_EQ(s.HeroVX, c.speed);
    // Thrown a whole tile out of the launcher, besides the frame's own small move.
    EXPECT_NEAR(s.HeroX - rig.At(8).HeroX, c.dx, 0.5);
    EXPECT_EQ(s.LauncherTimer, 0);
  }
}

TEST(LauncherTest, BothDirectionsShareOneTimer) {
  WorldBuilder w = Floored();
  w.Set(2, 2, 10, kFloorRow - 1, 46);
  PhysicsRig rig(w);
  rig.Start(2, 2, 320, kStandY);
  rig.state().LauncherTimer = 5;  // left half-way on a left launcher
  rig.Run(5);
  EXPECT_EQ(rig.host().FramesOfEffect(effect::kSpring), std::vector<long>{4});
  EXPECT_EQ(rig.At(4).HeroVX, 15.0f);
}

// ---- Centre: ladders, water, floating, misses ----------------------------------------

TEST(MissTest, FireBurnsForNinetyFramesAndTheHeroIsBackAtTheEndOfFramePlus88) {
  WorldBuilder w = Floored();
  w.Set(2, 2, 14, kFloorRow - 1, 32);
  PhysicsRig rig(w);
  rig.Start(2, 2, 320, kStandY);
  long burnt = 0;
  for (long f = 1; f <= 60 && burnt == 0; ++f) {
    rig.Run(1, {vk::kRight});
    if (rig.state().HeroState == hero::kBurnt) burnt = f;
  }
  ASSERT_GT(burnt, 0);
  EXPECT_EQ(rig.At(burnt).Countdown, 89);
  rig.Run(100, {vk::kRight});
  EXPECT_EQ(rig.host().FramesOfEffect(effect::kBurn), std::vector<long>{burnt});
  EXPECT_NE(rig.At(burnt + 87).HeroX, 320.0f);
  EXPECT_EQ(rig.At(burnt + 87).MissCount[2][2], 0);
  EXPECT_EQ(rig.At(burnt + 88).HeroX, 320.0f);
  EXPECT_EQ(rig.At(burnt + 88).HeroY, kStandY);
  EXPECT_EQ(rig.At(burnt + 88).MissCount[2][2], 1);
  // Keys are ignored while burning; the hero slides on the drag alone.
  EXPECT_EQ(rig.At(burnt + 10).Facing, 0);
}

TEST(MissTest, TheFlameJetBurnsOnlyInTheFirstTenFramesOfItsCycle) {
  WorldBuilder w = Floored();
  w.Set(2, 2, 10, kFloorRow - 1, 54);
  PhysicsRig rig(w);
  rig.Start(2, 2, 320, kStandY);
  rig.state().AnimCount = 50;  // the tile checks see 50, 51, ... 99, then 0
  rig.Run(60);
  long burnt = 0;
  for (long f = 1; f <= 60 && burnt == 0; ++f) {
    if (rig.At(f).HeroState == hero::kBurnt) burnt = f;
  }
  EXPECT_EQ(burnt, 51);
  EXPECT_EQ(rig.host().FramesOfEffect(effect::kBurn), std::vector<long>{51});
}

TEST(MissTest, SpikesPierceForSixtyFramesAndStopTheHero) {
  WorldBuilder w = Floored();
  w.Set(2, 2, 10, kFloorRow - 1, 36);
  PhysicsRig rig(w);
  rig.Start(2, 2, 320, kStandY);
  rig.Run(1);
  EXPECT_EQ(rig.At(1).HeroState, hero::kPierced);
  EXPECT_EQ(rig.At(1).Countdown, 59);
  EXPECT_EQ(rig.At(1).HeroVX, 0.0f);
  EXPECT_EQ(rig.host().FramesOfEffect(effect::kSpikes), std::vector<long>{1});
  rig.Run(60);
  EXPECT_EQ(rig.At(58).MissCount[2][2], 0);
  EXPECT_EQ(rig.At(59).MissCount[2][2], 1);
}

TEST(MissTest, TheRedPoolSinksTheHeroSilently) {
  WorldBuilder w = Floored();
  w.Set(2, 2, 10, kFloorRow - 1, 33);
  PhysicsRig rig(w);
  rig.Start(2, 2, 320, kStandY);
  rig.Run(2);
  EXPECT_EQ(rig.At(1).HeroState, hero::kSunk);
  EXPECT_EQ(rig.At(1).Countdown, 89);
  EXPECT_TRUE(rig.host().effects.empty());
}

TEST(WaterTest, WithoutTheHelmetTheHeroDrownsAndIsBackAtTheEndOfThe149thFrame) {
  WorldBuilder w = Floored();
  w.Put(2, 2, 10, 30, {"WWW", "WWW", "WWW", "WWW", "WWW", "WWW", "WWW", "WWW", "WWW"});
  PhysicsRig rig(w);
  rig.Start(2, 2, 352, 20 * 32);
  long entered = 0;
  for (long f = 1; f <= 100 && entered == 0; ++f) {
    rig.Run(1);
    if (rig.state().HeroState == hero::kDrowned) entered = f;
  }
  ASSERT_GT(entered, 0);
  const GameState& in = rig.At(entered);
  EXPECT_EQ(in.SplashTimer, 19);
  EXPECT_EQ(in.HeroVY, 0.4f);
  EXPECT_EQ(in.HeroVX, 0.0f);
  EXPECT_EQ(rig.host().FramesOfEffect(effect::kSplash), std::vector<long>{entered});
  rig.Run(160);
  EXPECT_NEAR(rig.At(entered + 5).HeroY - rig.At(entered + 4).HeroY, 0.4, 1e-3);  // sinking
  EXPECT_EQ(rig.At(entered + 147).MissCount[2][2], 0);
  EXPECT_EQ(rig.At(entered + 148).MissCount[2][2], 1);  // the 149th frame
  EXPECT_EQ(rig.At(entered + 148).HeroY, 20 * 32.0f);
}

TEST(WaterTest, WithTheHelmetTheHeroSplashesInAndSwims) {
  WorldBuilder w = Floored();
  for (int row = 30; row < kFloorRow; ++row) w.Put(2, 2, 10, row, {"WWW"});
  PhysicsRig rig(w);
  rig.Start(2, 2, 352, 20 * 32);
  rig.Give(6);
  rig.Run(80);
  EXPECT_EQ(rig.host().FramesOfEffect(effect::kSplash).size(), 1u);
  EXPECT_EQ(rig.state().HeroState, hero::kSwimming);
  EXPECT_EQ(rig.state().Countdown, 0);
}

TEST(FloatTest, AFloatAreaSlowsTheEntryAndFloatsTheHero) {
  WorldBuilder w;
  w.Put(2, 2, 10, 30, {"~~~", "~~~", "~~~"});
  PhysicsRig rig(w);
  rig.Start(2, 2, 352, 20 * 32);
  long entered = 0;
  for (long f = 1; f <= 100 && entered == 0; ++f) {
    rig.Run(1);
    if (rig.state().HeroState == hero::kFloating) entered = f;
  }
  ASSERT_GT(entered, 0);
  EXPECT_FLOAT_EQ(rig.At(entered).HeroVY, rig.At(entered - 1).HeroVY * 0.15f + 0.25f * 0.15f);
  EXPECT_EQ(rig.At(entered).JumpFrames, 3);
}

TEST(LadderTest, ALadderHoldsTheHeroStill) {
  WorldBuilder w;
  w.Put(2, 2, 10, 20, {"H", "H", "H"});
  PhysicsRig rig(w);
  rig.Start(2, 2, 320, 20 * 32);
  rig.Run(10);
  EXPECT_EQ(rig.state().HeroState, hero::kClimbing);
  EXPECT_EQ(rig.state().HeroVX, 0.0f);
  EXPECT_EQ(rig.state().HeroVY, 0.0f);
  EXPECT_EQ(rig.state().JumpFrames, 1);
  EXPECT_FLOAT_EQ(rig.state().HeroY, 20 * 32 + 0.25f);
}

// ---- Reads beyond the working copy --------------------------------------------------

// A bump under a switch in the block's top rows: the head undoes the move, the two walls
// of row 0 push the hero back over the switch, the switch lifts him above the block, and
// the second foot lands on the cracked glass in row 0, whose "tile above" would lie outside
// the working copy. The glass keeps its own code instead.
TEST(EdgeReadTest, CrackedGlassInTheTopRowHasNoTileAboveToTake) {
  WorldBuilder w;
  w.Put(2, 0, 10, 0, {"%#", "T."});
  PhysicsRig rig(w);
  rig.Start(2, 0, 320, 31);  // as a rebound from glass may leave him
  rig.state().HeroVY = 0.5f;
  rig.Run(1);
  EXPECT_EQ(rig.host().FramesOfEffect(effect::kSwitch), std::vector<long>{1});
  EXPECT_EQ(rig.state().BlockTiles(10, 0), 153);
  EXPECT_FLOAT_EQ(rig.At(1).HeroY, -1 - 6);  // lifted by the switch, then by the glass
}

}  // namespace
}  // namespace moriva::test
