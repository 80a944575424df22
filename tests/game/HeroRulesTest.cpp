#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "game/TreasureBox.h"
#include "platform/KeyCodes.h"
#include "support/PhysicsRig.h"

namespace moriva::test {
namespace {

using Build = std::function<void(WorldBuilder&)>;
using Dialogs = std::vector<std::pair<long, int>>;

// The row of blocks `by` with a floor of `code` along tile row 40 and what `build` adds;
// the hero in block (bx, by) at x, standing on the floor unless y says otherwise.
PhysicsRig Standing(const Build& build, double x = 320, double y = kStandY, int bx = 2, int by = 2,
                    std::uint8_t code = 96) {
  WorldBuilder w;
  for (int b = 0; b < kWorldBlocks; ++b) w.Floor(b, by, kFloorRow, code);
  if (build) build(w);
  return PhysicsRig(w, bx, by, x, y);
}

TEST(JumpTest, SpaceLiftsSevenFramesOrNineWithTheShoes) {
  for (int shoes : {0, 1}) {
    PhysicsRig rig = Standing(nullptr);
    if (shoes) rig.Give(5);
    const int lifts = shoes ? 9 : 7;
    rig.Run(lifts + 2, {vk::kSpace});
    rig.Run(70 - lifts - 2);
    EXPECT_EQ((std::pair{rig.At(lifts).JumpFrames, rig.At(lifts + 1).JumpFrames}), (std::pair<std::int16_t, std::int16_t>(lifts, lifts)));
    float top = kStandY;
    for (long f = 1; f <= 70; ++f) top = std::min(top, rig.At(f).HeroY);
    EXPECT_FLOAT_EQ(top, kStandY - (shoes ? 121.5f : 73.5f));
    EXPECT_EQ(rig.FramesOfEffect(2), std::vector<long>{1});  // the jump's sound
  }
}

TEST(WalkTest, SpeedsSettleNearFourOnGroundAndInTheAirAndNearEightOnIce) {
  struct Case {
    const char* name;
    std::uint8_t floor;
    int frames;
    float y, first, low, high;
  } const cases[] = {
      {"ground", 96, 120, kStandY, 0.506f, 4.0f, 4.2f},  // friction once, not per foot
      {"ice", 156, 300, kStandY, 0.55f, 7.9f, 8.0f},
      {"air", 0, 200, 40, 0.55f, 4.0f, 4.15f},
  };
  for (const Case& c : cases) {
    PhysicsRig rig = Standing(nullptr, 40, c.y, 0, 2, c.floor);
    rig.Run(c.frames, {vk::kRight});
    EXPECT_NEAR(rig.At(1).HeroVX, c.first, 1e-6) << c.name;
    for (long f = c.frames - 20; f <= c.frames; ++f)
      EXPECT_TRUE(rig.At(f).HeroVX >= c.low && rig.At(f).HeroVX <= c.high) << c.name << " frame " << f << ": " << rig.At(f).HeroVX;
  }
}

TEST(RopeTest, AHookAboveCatchesTheRopeAndTheHeroClimbsToItsRow) {
  PhysicsRig rig = Standing([](WorldBuilder& w) { w.Set(2, 2, 10, 30, 52); }, 330);  // [345] \ 32 = column 10
  rig.Give(7);
  rig.Run(80, {vk::kEnter});
  const GameState& s = rig.At(1);
  EXPECT_EQ((std::tuple{s.HeroX, s.RopeRow}), (std::tuple{320.0f, 31}));  // snapped to the column
  EXPECT_EQ(rig.FramesOfEffect(14), std::vector<long>{1});                  // the rope's sound
  // From 8 px below the hook tile's top to the hero, who has already climbed his first 4 px.
  EXPECT_EQ((std::tuple{s.linRope[0].X1, s.linRope[0].Y1, s.linRope[0].Y2}), (std::tuple{335, 31 * 32 - 24, 1248 - 4 + 2}));
  // 288 px at 4 px a frame: the 72nd frame reaches the row's top.
  EXPECT_EQ(rig.At(71).RopeRow, 31);
  EXPECT_EQ((std::tuple{rig.At(72).RopeRow, rig.At(72).HeroY, rig.At(72).linRope[0].Visible}), (std::tuple{-1, 30 * 32 + 1.0f, false}));
}

TEST(BlockEdgeTest, TheWorldsOuterEdgesAndAMissStopTheHeroAtTheEdge) {
  struct Case {
    int bx, by;
    float x, vx, edge;
    int countdown;
  } const cases[] = {{0, 0, 40, -12, 32, 0}, {4, 2, 1530, 12, 1536, 0}, {2, 2, 36, -8, 32, 50}};
  for (const Case& c : cases) {
    PhysicsRig rig(WorldBuilder{}, c.bx, c.by, c.x, 800);
    rig.state().Countdown = c.countdown;
    rig.state().HeroState = c.countdown ? hero::kPierced : hero::kNormal;
    rig.state().HeroVX = c.vx;
    rig.Run(1);
    EXPECT_EQ((std::pair{rig.At(1).HeroX, rig.module().BlockX}), (std::pair<float, std::int16_t>(c.edge, c.bx))) << c.bx;
  }
}

// Every miss counts down from its own length with its own sound, and the hero is back at
// the restart point, his miss counted, in the frame the countdown reaches 1. The tiles
// stand on the floor of block (2, by), columns 10 on.
TEST(MissTest, EachMissHasItsLengthAndSoundThenTheHeroIsBackAtTheRestartPoint) {
  struct Case {
    const char* name;
    int by;
    float x, y;
    std::vector<std::string_view> tiles;
    std::int16_t state;
    int countdown, effect;  // effect 0: silent
  } const cases[] = {
      {"fire", 2, 320, kStandY, {"F"}, hero::kBurnt, 90, 7},
      {"spikes", 2, 320, kStandY, {"^"}, hero::kPierced, 60, 8},
      {"red pool", 2, 320, kStandY, {"R"}, hero::kSunk, 90, 0},
      {"water", 2, 352, 640, std::vector<std::string_view>(10, "WWW"), hero::kDrowned, 150, 4},
      {"out of the bottom row", 4, 400, 1400, {}, hero::kFallen, 80, 10},
  };
  const auto start = [](const Case& c) {
    return Standing([&](WorldBuilder& w) {
      for (std::size_t i = 0; i < c.tiles.size(); ++i) w.Put(2, c.by, 10, kFloorRow - int(c.tiles.size() - i), {c.tiles[i]});
    }, c.x, c.y, 2, c.by);
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PhysicsRig rig = start(c);
    rig.state().RestartX = 300;
    rig.state().RestartY = 200;
    rig.Run(c.countdown + 120);
    const long miss = rig.FirstFrame([&](const GameState& s) { return s.HeroState == c.state; });
    ASSERT_GT(miss, 0);
    EXPECT_EQ(rig.At(miss).Countdown, c.countdown - 1);
    EXPECT_EQ(rig.FramesOfEffect(c.effect), c.effect ? std::vector<long>{miss} : std::vector<long>{});
    const GameState& back = rig.At(miss + c.countdown - 2);
    EXPECT_EQ(rig.At(miss + c.countdown - 3).MissCount[2][c.by], 0);
    EXPECT_EQ((std::tuple{back.MissCount[2][c.by], back.HeroX, back.HeroY}), (std::tuple{1, 300.0f, 200.0f}));
  }
  PhysicsRig helmet = start(cases[3]);
  helmet.Give(6);
  helmet.Run(200);
  EXPECT_EQ((std::pair{helmet.state().HeroState, helmet.FramesOfEffect(4).size()}), (std::pair{hero::kSwimming, std::size_t{1}}));
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
    // The door took the tile to its right where the feet touched it, not at the head.
    EXPECT_EQ((std::tuple{rig.state().BlockTiles(12, 39), rig.state().BlockTiles(12, 38), rig.FramesOfEffect(6).size()}),
              (std::tuple<std::uint8_t, std::uint8_t, std::size_t>{0, 148, 1}));
    EXPECT_EQ(rig.SurfaceTile(12, 39), PhysicsRig::TileColour(0));
    rig.game().EnterBlock();
    EXPECT_EQ(rig.state().BlockTiles(12, 39), 148);
  }
}

TEST(HeadTest, HiddenBlocksAreRevealedInTheFrameOfTheBump) {
  for (const auto& [hidden, revealed] : {std::pair{61, 135}, std::pair{62, 157}}) {
    PhysicsRig rig = Standing([&](WorldBuilder& w) { w.Set(2, 2, 10, 37, static_cast<std::uint8_t>(hidden)); });
    rig.Run(20, {vk::kSpace});
    const long shown = rig.FirstFrame([&](const GameState& s) { return s.BlockTiles(10, 37) != hidden; });
    ASSERT_GT(shown, 0) << hidden;
    // Just below the revealed block, and stopped by it only in the next frame.
    EXPECT_EQ((std::tuple{int{rig.At(shown).BlockTiles(10, 37)}, rig.At(shown).HeroY, rig.At(shown).HeroVY < 0, rig.At(shown + 1).HeroVY}),
              (std::tuple{revealed, 38 * 32.0f, true, 0.0f}));
  }
}

TEST(GlassTest, OnlyAFallFasterThanFourteenCracksItThenTheNextLandingBreaksIt) {
  const auto glass = [](WorldBuilder& w) { w.Put(2, 2, 10, kFloorRow, {"=", "#"}); };
  PhysicsRig slow = Standing(glass, 320, kStandY - 100);
  slow.Run(60);
  EXPECT_EQ(slow.state().BlockTiles(10, kFloorRow), 152);
  PhysicsRig rig = Standing(glass, 320, 64);  // a long fall: the speed reaches its limit of 15
  rig.Run(200);
  const long cracked = rig.FirstFrame([](const GameState& s) { return s.BlockTiles(10, kFloorRow) == 153; });
  ASSERT_GT(cracked, 0);
  EXPECT_EQ((std::pair{rig.At(cracked - 1).HeroVY, rig.At(cracked).HeroVY}), (std::pair{15.0f, -5.0f}));
  EXPECT_EQ(rig.state().BlockTiles(10, kFloorRow), 0);  // rebounded, fell back, broke through
  EXPECT_FLOAT_EQ(rig.state().HeroY, kStandY + 32);
}

TEST(CrumbleTest, OneFootWearsAFloorThroughFourStagesOfThirtyFramesTwoFeetTwiceAsFast) {
  // At x 330 the left foot is on column 10, the right one on column 11.
  PhysicsRig rig = Standing([](WorldBuilder& w) { w.Set(2, 2, 10, kFloorRow, 144); }, 330);
  rig.Run(120);
  for (int stage = 0; stage < 4; ++stage)
    EXPECT_EQ((std::pair{rig.At(29 + 30 * stage).BlockTiles(10, kFloorRow), rig.At(30 + 30 * stage).BlockTiles(10, kFloorRow)}),
              (std::pair<std::uint8_t, std::uint8_t>(144 + stage, stage == 3 ? 0 : 145 + stage)));
  EXPECT_EQ(rig.SurfaceTile(10, kFloorRow), PhysicsRig::TileColour(0));
  // Both feet on the second kind; the gone floor takes the tile above it.
  PhysicsRig both = Standing([](WorldBuilder& w) { w.Set(2, 2, 10, kFloorRow, 160).Set(2, 2, 10, kFloorRow - 1, 4); });
  both.Run(60);
  EXPECT_EQ((std::tuple{both.At(14).BlockTiles(10, kFloorRow), both.At(15).BlockTiles(10, kFloorRow), both.At(60).BlockTiles(10, kFloorRow)}),
            (std::tuple<std::uint8_t, std::uint8_t, std::uint8_t>{160, 161, 4}));
}

TEST(LauncherTest, LaunchersSeatTheHeroThenThrowHimSideways) {
  struct Case {
    std::uint8_t code;
    float seat, hold, speed;
  } const cases[] = {{44, 320 - 3, 0.2f, -15}, {46, 320 + 28, -0.2f, 15}};
  for (const Case& c : cases) {
    PhysicsRig rig = Standing([&](WorldBuilder& w) { w.Set(2, 2, 10, kFloorRow - 1, c.code).Set(2, 2, 11, kFloorRow - 1, c.code + 1); });
    rig.Run(11);
    EXPECT_EQ((std::tuple{rig.At(1).LauncherTimer, rig.At(1).HeroX, rig.At(5).HeroVX, rig.At(9).HeroVX}),
              (std::tuple{9, c.seat, c.hold, c.speed})) << int(c.code);
    EXPECT_EQ(rig.FramesOfEffect(5), std::vector<long>{9});  // the spring's sound
    EXPECT_NEAR(rig.At(9).HeroX - rig.At(8).HeroX, c.speed > 0 ? 32 : -32, 0.5);  // a whole tile out
  }
}

// The switch lifts the hero above the block and the second foot lands on cracked glass in
// row 0, whose "tile above" would lie outside the working copy: the glass keeps its code.
TEST(EdgeReadTest, CrackedGlassInTheTopRowHasNoTileAboveToTake) {
  WorldBuilder w;
  w.Put(2, 0, 10, 0, {"%#", "T."});
  PhysicsRig rig(w, 2, 0, 320, 31);
  rig.state().HeroVY = 0.5f;
  rig.Run(1);
  EXPECT_EQ(rig.state().BlockTiles(10, 0), 153);
  EXPECT_FLOAT_EQ(rig.At(1).HeroY, -1 - 6);  // lifted by the switch, then by the glass
}

TEST(BoxContentTest, EachBlockHoldsItsItemMemoOrNothing) {
  const std::int16_t expected[5][5] = {
      {7, -1, 103, -1, 1}, {-1, -1, 6, 104, 4}, {-1, 8, 0, -1, 102}, {-1, -1, 5, 101, -1}, {3, 106, 105, 2, 9},
  };  // [bx][by]
  for (int bx = 0; bx < 5; ++bx)
    for (int by = 0; by < 5; ++by) EXPECT_EQ(BoxContent(bx, by), expected[bx][by]) << bx << by;
  EXPECT_EQ((std::pair{BoxContent(5, 0), BoxContent(0, -1)}), (std::pair<std::int16_t, std::int16_t>(-1, -1)));
}

// A box at column 10 of block (bx, by) with tile 3 above it, the hero standing in it: it
// opens, the hero re-enters the block and stands in it again.
TEST(TreasureBoxTest, TheRopeBoxGivesTheRopeOnceMemoBoxesTheirMemoEveryTimeEmptyOnesNothing) {
  struct Case {
    int bx, by;
    Dialogs dialogs;
  } const cases[] = {{0, 0, {{1, 7}, {2, -1}}}, {3, 3, {{1, 101}, {2, 101}}}, {1, 0, {{1, -1}, {2, -1}}}};
  for (const Case& c : cases) {
    PhysicsRig rig = Standing([&](WorldBuilder& w) { w.Set(c.bx, c.by, 10, kFloorRow - 1, 55).Set(c.bx, c.by, 10, kFloorRow - 2, 3); },
                              320, kStandY, c.bx, c.by);
    rig.Run(1, {vk::kRight});
    const GameState opened = rig.state();
    rig.state().HeroX = 320;
    rig.game().EnterBlock();
    EXPECT_EQ(rig.state().BlockTiles(10, kFloorRow - 1), 55);  // the world keeps its box
    rig.Run(1);
    EXPECT_EQ(rig.dialogs, c.dialogs);
    if (c.bx != 0) {
      EXPECT_TRUE(std::ranges::all_of(rig.state().HaveItem, [](std::int16_t have) { return have == 0; }));
      continue;
    }
    ASSERT_EQ(rig.atDialog.size(), 2u);  // owned and shown before the dialog opens
    EXPECT_EQ((std::pair{rig.atDialog[0].HaveItem[7], rig.atDialog[0].ItemVisible[7]}), (std::pair<std::int16_t, bool>(1, true)));
    // The tile above takes the box's place; the hero stops and the keys are forgotten.
    EXPECT_EQ((std::tuple{int{opened.BlockTiles(10, kFloorRow - 1)}, opened.HeroVX, opened.KeyState[vk::kRight]}), (std::tuple{3, 0.0f, 0}));
  }
}

TEST(GoalTest, WithoutBothGoodsTheNoticeShowsOncePerVisitWithThemTheEndingStartsInThe149thFrame) {
  const auto goal = [](WorldBuilder& w) { w.Put(1, 1, 10, kFloorRow, {"G"}); };
  PhysicsRig rig = Standing(goal, 320, kStandY, 1, 1);
  rig.Give(8);  // the dumplings alone are not enough
  rig.Run(30);
  rig.Run(5, {vk::kSpace});
  rig.Run(60);  // landed again
  EXPECT_EQ(rig.dialogs, (Dialogs{{1, 200}}));
  EXPECT_EQ(rig.state().Countdown, 0);
  rig.game().EnterBlock();
  rig.Run(1);
  EXPECT_EQ(rig.dialogs, (Dialogs{{1, 200}, {96, 200}}));

  PhysicsRig both = Standing(goal, 320, kStandY, 1, 1);
  both.Give(8);
  both.Give(9);
  both.state().Facing = 1;
  EXPECT_EQ(both.Run(200, {vk::kLeft}), RunResult::Ending);
  EXPECT_EQ((std::tuple{both.At(1).HeroState, both.At(1).Facing, both.dialogs.size(), both.host().endingViews, both.frame()}),
            (std::tuple<std::int16_t, std::int16_t, std::size_t, int, long>{hero::kGoal, 0, 0, 1, 149}));
}

}  // namespace
}  // namespace moriva::test
