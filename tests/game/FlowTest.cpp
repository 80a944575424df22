#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "support/GameFixture.h"
#include "audio/Sound.h"
#include "audio/clsBGM.h"
#include "game/GameAudio.h"
#include "game/GameTables.h"
#include "game/TitleMenu.h"
#include "platform/KeyCodes.h"
#include "platform/MidiDevice.h"
#include "platform/WavPlayer.h"

namespace moriva {
namespace {

using test::GameFixture;

TEST(Flow, CaptionAndItemTexts) {
  EXPECT_STREQ(kAppTitle, "ルナポロ　べーたばん");
  EXPECT_EQ(kVersionMinor, 93);
  EXPECT_STREQ(ItemDesc[0], "これで青色のとびらが開くぞ！");
  EXPECT_STREQ(ItemDesc[4], "Sキーでセーブが出来るぞ!");
  EXPECT_STREQ(ItemName[7], "ポルミのロープ");
}

TEST(Flow, MusicOnePlaysQz2AndEffectFourteenPlaysRope) {
  RecordingMidiDevice device;
  RecordingWavPlayer player;
  clsBGM bgm("/game");
  Sound se(player, "/game");
  RegisterGameAudio(bgm, device, se);
  EXPECT_TRUE(se.SoundOn);
  ASSERT_EQ(bgm.MusicFiles().size(), 4u);
  ASSERT_EQ(se.SoundFiles().size(), 14u);
  bgm.BGMPlay(1, true);
  EXPECT_TRUE(std::ranges::any_of(device.calls, [](const std::string& c) { return c.ends_with("qz2.mid"); }));
  se.PlayAsync(14, 0, 1, 0);
  ASSERT_FALSE(player.calls.empty());
  EXPECT_TRUE(player.calls.back().file.ends_with("rope.wav"));
  player.calls.clear();
  se.PlayAsync(0, 0, 1, 0);  // number 0 is no entry of either list
  for (const auto& c : player.calls) EXPECT_TRUE(c.file.empty()) << c.file;
}

TEST(Flow, ResetGameSetsTheNewGameButKeepsTheMissCounts) {
  GameFixture f;
  GameState& s = f.st();
  s.MissCount[1][2] = 7, s.HaveItem[3] = 1, s.ItemVisible[3] = true, s.BlockColor[0][0] = kColorVisited;
  s.SwitchOn = 0, s.HeroVX = 3, s.KeyState[vk::kSpace] = kTrue, s.RopeRow = 4, s.Countdown = 40;
  f.game().ResetGame();
  EXPECT_EQ((std::tuple{f.mod().BlockX, f.mod().BlockY, s.HeroX, s.HeroY}),
            (std::tuple<std::int16_t, std::int16_t, float, float>{2, 4, 160.0f, 1498.0f}));
  // HeroVX, SwitchOn, item 3 owned and shown, block (0, 0)'s colour, Space, rope, countdown, misses.
  const std::vector<int> after = {static_cast<int>(s.HeroVX), s.SwitchOn, s.HaveItem[3], s.ItemVisible[3],
                                  s.BlockColor[0][0], s.KeyState[vk::kSpace], s.RopeRow, s.Countdown, s.MissCount[1][2]};
  EXPECT_EQ(after, (std::vector<int>{0, 1, 0, 0, -1, 0, 0, 0, 7}));
}

TEST(Flow, TitleClickOrder) {
  GameFixture f;
  f.host().effects.clear();
  f.host().notes.clear();
  f.PlayFrames(1);
  EXPECT_EQ(f.host().effects.front(), 1);
  EXPECT_EQ(f.host().pleaseWaitShown, 1);
  EXPECT_FALSE(f.host().titleVisible);
  ASSERT_FALSE(f.host().notes.empty());
  EXPECT_EQ(f.host().notes[0].first, GameEvent::EnterBlock);
}

TEST(Flow, TitleKeys) {
  const std::pair<int, int> keys[] = {{' ', TitleMenu::kNewGame}, {'L', TitleMenu::kContinue}, {'l', TitleMenu::kContinue},
                                      {13, -1}, {'S', -1}, {'0', -1}, {0, -1}};
  for (const auto& [key, choice] : keys) EXPECT_EQ(TitleMenu::ChoiceForKey(key), choice) << key;
}

TEST(Flow, HighlightStaysUntilAnotherEntryIsTouched) {
  TitleMenu m;
  EXPECT_EQ(m.color(0), TitleMenu::kNormal);
  EXPECT_EQ(m.color(2), TitleMenu::kDisabled);
  m.MouseMove(1);
  EXPECT_EQ(m.color(1), TitleMenu::kHighlight);
  EXPECT_EQ(m.color(2), TitleMenu::kNormal);
  m.MouseMove(0);
  EXPECT_EQ(m.color(1), TitleMenu::kNormal);
  EXPECT_EQ(TitleMenu::kHighlight, Rgb(255, 255, 160));
  EXPECT_EQ(TitleMenu::kNormal, Rgb(192, 192, 0));
}

}  // namespace
}  // namespace moriva
