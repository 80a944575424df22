#include <gtest/gtest.h>

#include "game/GameTables.h"
#include "game/TreasureBox.h"
#include "platform/KeyCodes.h"
#include "support/PhysicsRig.h"

namespace moriva::test {
namespace {

// Block (2, 2) with a floor, the hero standing on it at x, after `setup` built the block.
PhysicsRig Standing(void (*setup)(WorldBuilder&), double x = 320) {
  WorldBuilder w;
  w.Floor(2, 2, kFloorRow);
  if (setup) setup(w);
  PhysicsRig rig(w);
  rig.Start(2, 2, x, kStandY);
  return rig;
}

TEST(DoorTest, OnlyItsOwnKeyOpensADoorOnceAndTheBlockEntryClosesIt) {
  for (int key : {-1, 1, 0}) {
    PhysicsRig rig = Standing([](WorldBuilder& w) { w.Put(2, 2, 12, 38, {"b.", "b."}); });
    if (key >= 0) rig.Give(key);
    rig.Run(30, {vk::kRight});
    if (key != 0) {
      EXPECT_EQ(rig.At(30).HeroX, 11 * 32.0f) << key;  // against the door's left face
      continue;
    }
    EXPECT_EQ(rig.host().FramesOfEffect(effect::kDoor).size(), 1u);
    EXPECT_EQ(rig.state().BlockTiles(12, 39), 0);    // took the tile to its right
    EXPECT_EQ(rig.state().BlockTiles(12, 38), 148);  // the head never touched it
    EXPECT_EQ(rig.SurfaceTile(12, 39), PhysicsRig::TileColour(0));
    EXPECT_EQ(rig.module().Map(112, 139), 148);      // the world keeps its door
    rig.game().EnterBlock();
    EXPECT_EQ(rig.state().BlockTiles(12, 39), 148);
  }
}

TEST(HeadTest, HiddenBlocksAreRevealedInTheFrameOfTheBump) {
  for (const auto& [hidden, revealed] : {std::pair{61, 135}, std::pair{62, 157}}) {
    WorldBuilder w;
    w.Floor(2, 2, kFloorRow).Set(2, 2, 10, 37, static_cast<std::uint8_t>(hidden));
    PhysicsRig rig(w);
    rig.Start(2, 2, 320, kStandY);
    rig.Run(20, {vk::kSpace});
    const long shown = rig.FirstFrame([&](const GameState& s) { return s.BlockTiles(10, 37) != hidden; });
    ASSERT_GT(shown, 0) << hidden;
    EXPECT_EQ(rig.At(shown).BlockTiles(10, 37), revealed);
    EXPECT_EQ(rig.At(shown).HeroY, 38 * 32.0f);  // just below the revealed block
    EXPECT_LT(rig.At(shown).HeroVY, 0.0f);       // stopped by it only in the next frame
    EXPECT_EQ(rig.At(shown + 1).HeroVY, 0.0f);
  }
}

void GlassFloor(WorldBuilder& w) { w.Set(2, 2, 10, kFloorRow, 152).Set(2, 2, 10, kFloorRow + 1, 96); }

TEST(GlassTest, OnlyAFallFasterThanFourteenCracksItThenTheNextLandingBreaksIt) {
  PhysicsRig slow = Standing(GlassFloor);
  slow.state().HeroY = kStandY - 100;
  slow.Run(60);
  EXPECT_EQ(slow.state().BlockTiles(10, kFloorRow), 152);

  PhysicsRig rig = Standing(GlassFloor);
  rig.Start(2, 2, 320, 64);  // a long fall: the speed reaches its limit of 15
  rig.Run(200);
  const long cracked = rig.FirstFrame([](const GameState& s) { return s.BlockTiles(10, kFloorRow) == 153; });
  ASSERT_GT(cracked, 0);
  EXPECT_EQ(rig.At(cracked).HeroVY, -5.0f);
  EXPECT_EQ(rig.At(cracked - 1).HeroVY, 15.0f);
  EXPECT_EQ(rig.state().BlockTiles(10, kFloorRow), 0);  // rebounded, fell back, broke through
  EXPECT_FLOAT_EQ(rig.state().HeroY, kStandY + 32);
}

TEST(CrumbleTest, OneFootWearsAFloorThroughFourStagesOfThirtyFramesTwoFeetTwiceAsFast) {
  // Left foot on column 10, right foot on column 11.
  PhysicsRig rig = Standing([](WorldBuilder& w) { w.Set(2, 2, 10, kFloorRow, 144).Set(2, 2, 10, kFloorRow - 1, 0); }, 330);
  const int stages[] = {144, 145, 146, 147, 0};
  for (int stage = 1; stage <= 4; ++stage) {
    rig.Run(29);
    EXPECT_EQ(rig.state().BlockTiles(10, kFloorRow), stages[stage - 1]) << "stage " << stage;
    rig.Run(1);
    EXPECT_EQ(rig.state().BlockTiles(10, kFloorRow), stages[stage]) << "stage " << stage;
  }
  EXPECT_EQ(rig.SurfaceTile(10, kFloorRow), PhysicsRig::TileColour(0));

  // Both feet on the second kind; the gone floor takes the tile above it.
  PhysicsRig both = Standing([](WorldBuilder& w) { w.Set(2, 2, 10, kFloorRow, 160).Set(2, 2, 10, kFloorRow - 1, 4); });
  both.Run(14);
  EXPECT_EQ(both.state().BlockTiles(10, kFloorRow), 160);
  both.Run(1);
  EXPECT_EQ(both.state().BlockTiles(10, kFloorRow), 161);
  both.Run(45);
  EXPECT_EQ(both.state().BlockTiles(10, kFloorRow), 4);
}

TEST(LauncherTest, LaunchersSeatTheHeroThenThrowHimSideways) {
  struct Case {
    std::uint8_t code;
    float seat, hold, dx, speed;
  } const cases[] = {{44, 320 - 3, 0.2f, -32, -15}, {46, 320 + 28, -0.2f, 32, 15}};
  for (const Case& c : cases) {
    WorldBuilder w;
    w.Floor(2, 2, kFloorRow).Set(2, 2, 10, kFloorRow - 1, c.code).Set(2, 2, 11, kFloorRow - 1, c.code + 1);
    PhysicsRig rig(w);
    rig.Start(2, 2, 320, kStandY);
    rig.Run(11);
    EXPECT_EQ(rig.At(1).LauncherTimer, 9);
    EXPECT_EQ(rig.At(1).HeroX, c.seat);
    EXPECT_EQ(rig.host().FramesOfEffect(effect::kSpring), std::vector<long>{9}) << int(c.code);
    EXPECT_EQ(rig.At(5).HeroVX, c.hold);
    EXPECT_EQ(rig.At(9).HeroVX, c.speed);
    EXPECT_NEAR(rig.At(9).HeroX - rig.At(8).HeroX, c.dx, 0.5);  // a whole tile out
  }
}

TEST(MissTest, TheHeroIsBackAtTheRestartPointWhenTheCountdownEnds) {
  struct Case {
    const char* name;
    std::uint8_t code;
    std::int16_t state;
    int countdown, effect;  // effect 0: silent
  } const cases[] = {{"fire", 32, hero::kBurnt, 90, effect::kBurn},
                     {"spikes", 36, hero::kPierced, 60, effect::kSpikes},
                     {"red pool", 33, hero::kSunk, 90, 0}};
  for (const Case& c : cases) {
    WorldBuilder w;
    w.Floor(2, 2, kFloorRow).Set(2, 2, 10, kFloorRow - 1, c.code);
    PhysicsRig rig(w);
    rig.Start(2, 2, 320, kStandY);
    rig.state().RestartX = 300;
    rig.state().RestartY = 200;
    rig.Run(c.countdown + 5);
    EXPECT_EQ(rig.At(1).HeroState, c.state) << c.name;
    EXPECT_EQ(rig.At(1).Countdown, c.countdown - 1) << c.name;
    EXPECT_EQ(rig.host().FramesOfEffect(c.effect).size(), c.effect ? 1u : 0u) << c.name;
    const long back = c.countdown - 1;
    EXPECT_EQ(rig.At(back - 1).MissCount[2][2], 0) << c.name;
    EXPECT_EQ(rig.At(back).MissCount[2][2], 1) << c.name;
    EXPECT_EQ(rig.At(back).HeroX, 300.0f) << c.name;
    EXPECT_EQ(rig.At(back).HeroY, 200.0f) << c.name;
  }
}

TEST(WaterTest, WithoutTheHelmetTheHeroDrownsWithItHeSwims) {
  for (int helmet = 0; helmet <= 1; ++helmet) {
    WorldBuilder w;
    w.Floor(2, 2, kFloorRow);
    for (int row = 30; row < kFloorRow; ++row) w.Put(2, 2, 10, row, {"WWW"});
    PhysicsRig rig(w);
    rig.Start(2, 2, 352, 20 * 32);
    if (helmet) rig.Give(6);
    rig.Run(200);
    EXPECT_EQ(rig.host().FramesOfEffect(effect::kSplash).size(), 1u);
    if (helmet) {
      EXPECT_EQ(rig.state().HeroState, hero::kSwimming);
      continue;
    }
    const long in = rig.FirstFrame([](const GameState& s) { return s.HeroState == hero::kDrowned; });
    ASSERT_GT(in, 0);
    EXPECT_EQ(rig.At(in).SplashTimer, 19);
    EXPECT_EQ(rig.At(in).HeroVY, 0.4f);
    EXPECT_EQ(rig.At(in + 147).MissCount[2][2], 0);
    EXPECT_EQ(rig.At(in + 148).MissCount[2][2], 1);  // the 149th frame
  }
}

// The switch lifts the hero above the block and the second foot lands on cracked glass in
// row 0, whose "tile above" would lie outside the working copy: the glass keeps its code.
TEST(EdgeReadTest, CrackedGlassInTheTopRowHasNoTileAboveToTake) {
  WorldBuilder w;
  w.Put(2, 0, 10, 0, {"%#", "T."});
  PhysicsRig rig(w);
  rig.Start(2, 0, 320, 31);
  rig.state().HeroVY = 0.5f;
  rig.Run(1);
  EXPECT_EQ(rig.state().BlockTiles(10, 0), 153);
  EXPECT_FLOAT_EQ(rig.At(1).HeroY, -1 - 6);  // lifted by the switch, then by the glass
}

constexpr int kBehindBox = 3;  // the tile above the box, which takes its place

using Call = RecordingHost::Call;

// Block (bx, by) with a floor and a box at column 10 that the hero stands in.
WorldBuilder BoxWorld(int bx, int by) {
  WorldBuilder w;
  w.Floor(bx, by, kFloorRow);
  w.Set(bx, by, 10, kFloorRow - 1, 55);
  w.Set(bx, by, 10, kFloorRow - 2, kBehindBox);
  return w;
}

TEST(BoxContentTest, EachBlockHoldsItsItemMemoOrNothing) {
  const std::int16_t expected[5][5] = {
      // by = 0    1    2    3    4
      {7, -1, 103, -1, 1},     // bx = 0
      {-1, -1, 6, 104, 4},     // bx = 1
      {-1, 8, 0, -1, 102},     // bx = 2
      {-1, -1, 5, 101, -1},    // bx = 3
      {3, 106, 105, 2, 9},     // bx = 4
  };
  for (int bx = 0; bx < 5; ++bx)
    for (int by = 0; by < 5; ++by) EXPECT_EQ(BoxContent(bx, by), expected[bx][by]) << bx << by;
  EXPECT_EQ(BoxContent(5, 0), -1);
  EXPECT_EQ(BoxContent(0, -1), -1);
}

TEST(TreasureBoxTest, TheRopeBoxGivesTheRopeOnceAndIsEmptyAfterReEntering) {
  PhysicsRig rig(BoxWorld(0, 0));
  rig.Start(0, 0, 320, kStandY);
  rig.Run(3, {vk::kRight});
  EXPECT_EQ(rig.host().dialogs, (std::vector<Call>{{1, 7}}));
  ASSERT_EQ(rig.host().atDialog.size(), 1u);  // owned and shown before the dialog opens
  EXPECT_EQ(rig.host().atDialog[0].HaveItem[7], 1);
  EXPECT_TRUE(rig.host().atDialog[0].ItemVisible[7]);
  const GameState& opened = rig.At(1);
  EXPECT_EQ(opened.BlockTiles(10, kFloorRow - 1), kBehindBox);
  EXPECT_EQ(opened.HeroVX, 0.0f);
  EXPECT_EQ(opened.KeyState[vk::kRight], 0);  // the keys were forgotten after the dialog
  EXPECT_EQ(rig.SurfaceTile(10, kFloorRow - 1), PhysicsRig::TileColour(kBehindBox));
  EXPECT_EQ(rig.module().Map(10, kFloorRow - 1), 55);  // the world keeps its box

  rig.state().HeroX = 320;
  rig.game().EnterBlock();
  EXPECT_EQ(rig.state().BlockTiles(10, kFloorRow - 1), 55);
  rig.Run(2);
  EXPECT_EQ(rig.host().dialogs, (std::vector<Call>{{1, 7}, {4, -1}}));
}

TEST(TreasureBoxTest, MemoBoxesGiveTheirMemoEveryTimeEmptyBlocksNothing) {
  for (const auto& [bx, content] : {std::pair{3, 101}, std::pair{1, -1}}) {
    PhysicsRig rig(BoxWorld(bx, bx == 3 ? 3 : 0));
    rig.Start(bx, bx == 3 ? 3 : 0, 320, kStandY);
    rig.Run(1);
    rig.state().HeroX = 320;
    rig.game().EnterBlock();
    rig.Run(1);
    EXPECT_EQ(rig.host().dialogs, (std::vector<Call>{{1, content}, {2, content}}));
    for (int i = 0; i < 10; ++i) EXPECT_EQ(rig.state().HaveItem[i], 0);
  }
}

WorldBuilder GoalWorld() {
  WorldBuilder w;
  w.Floor(1, 1, kFloorRow);
  w.Put(1, 1, 10, kFloorRow, {"G"});
  return w;
}

TEST(GoalTest, WithoutBothGoodsTheNoticeShowsOncePerVisit) {
  PhysicsRig rig(GoalWorld());
  rig.Start(1, 1, 320, kStandY);
  rig.Give(8);  // the dumplings alone are not enough
  rig.Run(30);
  rig.Run(5, {vk::kSpace});
  rig.Run(60);  // landed again
  EXPECT_EQ(rig.host().dialogs, (std::vector<Call>{{1, 200}}));
  EXPECT_EQ(rig.state().Countdown, 0);
  rig.game().EnterBlock();
  rig.Run(1);
  EXPECT_EQ(rig.host().dialogs, (std::vector<Call>{{1, 200}, {96, 200}}));
}

TEST(GoalTest, WithBothGoodsTheHeroTurnsRightAndTheEndingStartsInThe149thFrame) {
  PhysicsRig rig(GoalWorld());
  rig.Start(1, 1, 320, kStandY);
  rig.Give(8);
  rig.Give(9);
  rig.state().Facing = 1;
  const RunResult result = rig.Run(200, {vk::kLeft});
  EXPECT_EQ(result, RunResult::Ending);
  EXPECT_EQ(rig.At(1).HeroState, hero::kGoal);
  EXPECT_EQ(rig.At(1).Facing, 0);
  EXPECT_TRUE(rig.host().dialogs.empty());
  EXPECT_EQ(rig.host().endings, (std::vector<Call>{{149, 0}}));
}

}  // namespace
}  // namespace moriva::test
