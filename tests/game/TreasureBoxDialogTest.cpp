#include <gtest/gtest.h>

#include "game/Ending.h"
#include "game/Game.h"
#include "game/TreasureBox.h"
#include "support/DialogTestHost.h"
#include "platform/KeyCodes.h"
#include "support/WorldBuilder.h"
#include "world/basMoriva.h"

namespace moriva {
namespace {

using Icon = ItemDialogModel::Icon;

// A game whose boxes and goal open the dialog model through the test host.
class TreasureBoxDialogTest : public ::testing::Test {
 protected:
  TreasureBoxDialogTest()
      : sprites(256, 768), tiles(256, 768), game(module, tiles, sprites, host, "/nowhere") {
    host.state = &game.state();
  }

  void OpenBoxIn(int bx, int by) {
    module.BlockX = static_cast<std::int16_t>(bx);
    module.BlockY = static_cast<std::int16_t>(by);
    OpenTreasureBox(game);
  }

  basMoriva module;
  Surface sprites;
  Surface tiles;
  DialogTestHost host;
  Game game;
};

TEST_F(TreasureBoxDialogTest, BlueKeyBoxGivesTheKeyOnceThenIsEmpty) {
  OpenBoxIn(2, 2);
  ASSERT_EQ(host.dialogs.size(), 1u);
  const auto& first = host.dialogs[0];
  EXPECT_EQ(first.itemNo, 0);
  EXPECT_EQ(first.caption, "たからばこ");
  EXPECT_EQ(first.icon, Icon::Item);
  EXPECT_EQ(first.iconItem, 0);
  EXPECT_EQ(first.haveAtOpen[0], 1);  // owned, and its icon shown, before the dialog opens
  EXPECT_TRUE(first.iconsAtOpen[0]);
  EXPECT_EQ(first.messages,
            (std::vector<std::u16string>{u"青のカギ\rを手に入れた!", u"これで青色のとびらが開くぞ！"}));
  EXPECT_EQ(first.effects, (std::vector<int>{11, 1, 1}));

  // Leaving and entering the block again puts the box back, but the key is gone.
  OpenBoxIn(2, 2);
  ASSERT_EQ(host.dialogs.size(), 2u);
  const auto& second = host.dialogs[1];
  EXPECT_EQ(second.itemNo, -1);
  EXPECT_EQ(second.icon, Icon::Dud);
  EXPECT_EQ(second.messages, std::vector<std::u16string>{u"からっぽ!"});  // one OK closes it
  EXPECT_EQ(second.effects, (std::vector<int>{13, 1}));
  EXPECT_EQ(game.state().HaveItem[0], 1);
}

TEST_F(TreasureBoxDialogTest, MemoBoxGivesItsMemoEveryTime) {
  for (int opening = 0; opening < 2; ++opening) {
    OpenBoxIn(3, 3);
    const auto& showing = host.dialogs.back();
    EXPECT_EQ(showing.itemNo, 101);
    EXPECT_EQ(showing.icon, Icon::Memo);
    EXPECT_EQ(showing.messages, (std::vector<std::u16string>{
                                    u"メモが入っていた。", u"城の上に行くには、城の中央部分から。"}));
    EXPECT_EQ(showing.effects, (std::vector<int>{12, 1, 1}));
  }
}

TEST_F(TreasureBoxDialogTest, BlockWithoutContentIsAlwaysEmpty) {
  OpenBoxIn(1, 0);
  OpenBoxIn(1, 0);
  for (const auto& showing : host.dialogs) {
    EXPECT_EQ(showing.itemNo, -1);
    EXPECT_EQ(showing.messages, std::vector<std::u16string>{u"からっぽ!"});
  }
}

TEST_F(TreasureBoxDialogTest, KeyHeldWhenTheDialogOpenedIsReleasedAfterIt) {
  game.KeyDown(vk::kRight);
  game.KeyDown(vk::kSpace);
  OpenBoxIn(3, 3);
  EXPECT_EQ(host.dialogs[0].keysAtOpen[vk::kRight], -1);
  EXPECT_EQ(game.state().KeyState[vk::kRight], 0);
  EXPECT_EQ(game.state().KeyState[vk::kSpace], 0);
}

TEST_F(TreasureBoxDialogTest, ColourPhaseCarriesOverFromShowingToShowing) {
  OpenBoxIn(1, 0);
  EXPECT_EQ(host.colorPhase, 0);  // OK before any colour tick
  host.colorPhase = 40;
  OpenBoxIn(1, 0);
  EXPECT_EQ(host.colorPhase, 40);
}

// The goal, reached through the real frame loop on a small world.
class GoalDialogTest : public TreasureBoxDialogTest {
 protected:
  GoalDialogTest() {
    test::WorldBuilder world;
    world.Fill(2, 2, 0).Put(2, 2, 10, 21, {"GGG"});
    module.Map = world.Map();
  }

  // Runs frames of play standing above the goal until the loop stops.
  RunResult Play(int frames, std::initializer_list<int> items) {
    game.ResetGame();
    for (int item : items) game.state().HaveItem[static_cast<std::size_t>(item)] = 1;
    module.BlockX = 2;
    module.BlockY = 2;
    game.state().HeroX = test::WorldBuilder::StandX(11);
    game.state().HeroY = test::WorldBuilder::StandY(21);
    game.EnterBlock();
    int left = frames;
    host.onProcessEvents = [&] {
      if (--left <= 0) game.state().StopLoop = kTrue;
      game.state().KeyState[vk::kLeft] = -1;  // a key held all along
    };
    return game.RunGame();
  }
};

TEST_F(GoalDialogTest, GoalWithoutBothGoodsShowsTheNoticeOnce) {
  for (auto items : {std::initializer_list<int>{}, {9}}) {
    host.dialogs.clear();
    Play(3, items);
    EXPECT_EQ(host.dialogs.size(), 1u);
    EXPECT_FALSE(game.state().Ending.Shown);
  }
  host.dialogs.clear();
  Play(3, {8});
  ASSERT_EQ(host.dialogs.size(), 1u);  // once per entry into the block
  const auto& notice = host.dialogs[0];
  EXPECT_EQ(notice.itemNo, 200);
  EXPECT_EQ(notice.caption, "ルナポロ");
  EXPECT_EQ(notice.icon, Icon::Dud);
  EXPECT_EQ(notice.messages, std::vector<std::u16string>{u"お月見に必要なものが足りない！！"});
  EXPECT_EQ(notice.effects, (std::vector<int>{13, 1}));
  EXPECT_FALSE(game.state().Ending.Shown);

  // The next box is captioned as a box again.
  OpenBoxIn(1, 0);
  EXPECT_EQ(host.dialogs.back().caption, "たからばこ");
}

TEST_F(GoalDialogTest, GoalWithBothGoodsStartsTheEndingAfterTheCountdown) {
  EXPECT_EQ(Play(1000, {8, 9}), RunResult::Ending);
  EXPECT_TRUE(host.dialogs.empty());
  EXPECT_EQ(game.state().HeroState, 100);
  EXPECT_EQ(game.frame(), 149);  // the landing frame counts as the first
  EXPECT_TRUE(game.state().Ending.Shown);
  EXPECT_TRUE(game.state().Ending.TimerRunning);
  EXPECT_EQ(host.endingViews, 1);
  EXPECT_EQ(host.stops, 1);
}

}  // namespace
}  // namespace moriva
