#include <gtest/gtest.h>

#include "support/PhysicsRig.h"
#include "game/TreasureBox.h"
#include "platform/KeyCodes.h"

namespace moriva::test {
namespace {

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
