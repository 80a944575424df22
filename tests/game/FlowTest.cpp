#include <gtest/gtest.h>

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

bool Contains(const std::vector<std::string>& calls, const std::string& text) {
  for (const auto& c : calls)
    if (c.find(text) != std::string::npos) return true;
  return false;
}

TEST(Flow, CaptionAndItemTexts) {
  EXPECT_STREQ(kAppTitle, "ルナポロ　べーたばん");
  EXPECT_EQ(kVersionMinor, 93);
  EXPECT_STREQ(ItemDesc[0], "これで青色のとびらが開くぞ！");
  EXPECT_STREQ(ItemDesc[4], "Sキーでセーブが出来るぞ!");
  EXPECT_STREQ(ItemName[7], "ポルミのロープ");
}

TEST(Flow, MusicOnePlaysQz2AndEffectFourteenPlaysRope) {
  test::TempFolder folder;
  RecordingMidiDevice device;
  RecordingWavPlayer player;
  clsBGM bgm(folder.path());
  Sound se(player, folder.path());
  RegisterGameAudio(bgm, device, se);
  EXPECT_TRUE(se.SoundOn);
  ASSERT_EQ(bgm.MusicFiles().size(), 4u);
  ASSERT_EQ(se.SoundFiles().size(), 14u);
  device.calls.clear();
  bgm.BGMPlay(1, true);
  EXPECT_TRUE(Contains(device.calls, "qz2.mid"));
  se.PlayAsync(14, 0, 1, 0);
  ASSERT_FALSE(player.calls.empty());
  const std::string played = player.calls.back().file;
  EXPECT_EQ(played.substr(played.size() - 8), "rope.wav");
  // Number 0 is no entry of either list.
  player.calls.clear();
  se.PlayAsync(0, 0, 1, 0);
  for (const auto& c : player.calls) EXPECT_TRUE(c.file.empty()) << c.file;
}

TEST(Flow, ResetGameSetsTheNewGameButKeepsTheMissCounts) {
  GameFixture f;
  f.st().MissCount[1][2] = 7;
  f.st().HaveItem[3] = 1;
  f.st().ItemVisible[3] = true;
  f.st().BlockColor[0][0] = kColorVisited;
  f.st().SwitchOn = 0;
  f.st().HeroVX = 3;
  f.st().KeyState[vk::kSpace] = kTrue;
  f.st().RopeRow = 4;
  f.st().linRope[0].Visible = true;
  f.st().Countdown = 40;
  f.game().ResetGame();
  EXPECT_EQ((std::tuple{f.mod().BlockX, f.mod().BlockY, f.st().HeroX, f.st().HeroY}),
            (std::tuple<std::int16_t, std::int16_t, float, float>{2, 4, 160.0f, 1498.0f}));
  EXPECT_EQ(f.st().HeroVX, 0.0f);
  EXPECT_EQ(f.st().SwitchOn, 1);
  EXPECT_EQ(f.st().HaveItem[3], 0);
  EXPECT_FALSE(f.st().ItemVisible[3]);
  EXPECT_EQ(f.st().BlockColor[0][0], -1);
  EXPECT_EQ(f.st().KeyState[vk::kSpace], 0);
  EXPECT_EQ(f.st().MissCount[1][2], 7);
  EXPECT_EQ(f.st().RopeRow, 0);
  EXPECT_EQ(f.st().Countdown, 0);
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
