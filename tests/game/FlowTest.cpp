#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

#include "audio/Sound.h"
#include "audio/clsBGM.h"
#include "game/GameAudio.h"
#include "game/GameTables.h"
#include "game/TitleMenu.h"
#include "platform/KeyCodes.h"
#include "platform/MidiDevice.h"
#include "platform/WavPlayer.h"
#include "support/GameFixture.h"

namespace moriva {
namespace {

using test::GameFixture;

TEST(Flow, ItemTextsAndTheNumbersOfMusicAndEffects) {
  EXPECT_STREQ(ItemDesc[0], "これで青色のとびらが開くぞ！");
  EXPECT_STREQ(ItemDesc[4], "Sキーでセーブが出来るぞ!");
  EXPECT_STREQ(ItemName[7], "ポルミのロープ");
  RecordingMidiDevice device;
  RecordingWavPlayer player;
  clsBGM bgm("/game");
  Sound se(player, "/game");
  RegisterGameAudio(bgm, device, se);
  EXPECT_TRUE(se.SoundOn);
  ASSERT_EQ((std::pair{bgm.MusicFiles().size(), se.SoundFiles().size()}), (std::pair<std::size_t, std::size_t>{4, 14}));
  bgm.BGMPlay(1, true);
  EXPECT_TRUE(std::ranges::any_of(device.calls, [](const std::string& c) { return c.ends_with("qz2.mid"); }));
  se.PlayAsync(14, 0, 1, 0);
  ASSERT_FALSE(player.calls.empty());
  EXPECT_TRUE(player.calls.back().file.ends_with("rope.wav"));
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

TEST(Flow, TheTitleClicksShowsPleaseWaitHidesItselfAndEntersTheBlock) {
  GameFixture f;
  f.host().effects.clear();
  f.host().notes.clear();
  f.PlayFrames(1);
  EXPECT_EQ((std::tuple{f.host().effects.front(), f.host().pleaseWaitShown, f.host().titleVisible}), (std::tuple{1, 1, false}));
  ASSERT_FALSE(f.host().notes.empty());
  EXPECT_EQ(f.host().notes[0].first, GameEvent::EnterBlock);
  const std::pair<int, int> keys[] = {{' ', TitleMenu::kNewGame}, {'L', TitleMenu::kContinue}, {'l', TitleMenu::kContinue},
                                      {13, -1}, {'S', -1}, {'0', -1}, {0, -1}};
  for (const auto& [key, choice] : keys) EXPECT_EQ(TitleMenu::ChoiceForKey(key), choice) << key;
}

// Presses keys before a given frame runs.
void PressBefore(GameFixture& f, long frame, std::initializer_list<int> keys) {
  auto previous = f.host().onFrameBegins;
  f.host().onFrameBegins = [&f, frame, keys = std::vector<int>(keys), previous](long n) {
    if (previous) previous(n);
    if (n == frame)
      for (int k : keys) f.game().KeyDown(k);
  };
}

long Count(const RecordingGameHost& h, GameEvent e) {
  return std::ranges::count(h.notes, e, &std::pair<GameEvent, int>::first);
}

TEST(MainLoop, SaveNeedsTheDiaryAndHappensOncePerBlockVisit) {
  GameFixture f;
  PressBefore(f, 2, {vk::kS});
  f.PlayFrames(6);
  EXPECT_EQ(Count(f.host(), GameEvent::SaveGame), 0) << "no diary, no save";
  EXPECT_EQ(f.host().effects, std::vector<int>{effect::kClick}) << "only the title's click";

  GameFixture g;
  g.st().HaveItem[kItemDiary] = 1;
  PressBefore(g, 2, {vk::kS});
  g.host().onFrameEnded = [&](long n) {
    if (n == 4) g.game().KeyUp(vk::kS);
  };
  PressBefore(g, 6, {vk::kS});  // pressed again in the same block
  g.PlayFrames(8);
  EXPECT_EQ(Count(g.host(), GameEvent::SaveGame), 1);
  EXPECT_EQ(g.host().effects, (std::vector<int>{effect::kClick, effect::kClick}));
}

TEST(MainLoop, LoadWithThreeAndFiveHeldLoadsFiveBack) {
  GameFixture f;
  f.host().answers = {true};
  PressBefore(f, 3, {vk::kL, vk::kDigit0 + 3, vk::kDigit0 + 5});
  f.PlayFrames(4);
  ASSERT_EQ(f.host().questions.size(), 1u);
  EXPECT_EQ(f.host().questions[0].text, kLoadQuestion);
  const auto load = std::ranges::find(f.host().notes, GameEvent::LoadGame, &std::pair<GameEvent, int>::first);
  ASSERT_NE(load, f.host().notes.end());
  EXPECT_EQ(load->second, 5);
  EXPECT_TRUE(std::ranges::all_of(f.st().KeyState, [](std::int16_t k) { return k == 0; }));
}

TEST(MainLoop, AMissAtTheTopOfTheCountsRangeStaysThere) {
  constexpr std::int32_t kTop = std::numeric_limits<std::int32_t>::max();
  for (const auto& [before, after] : {std::pair{0, 1}, std::pair{kTop - 1, kTop}, std::pair{kTop, kTop}}) {
    GameFixture f;
    f.host().onFrameBegins = [&](long n) {
      if (n == 1) f.st().MissCount[2][4] = before, f.st().HeroState = hero::kBurnt, f.st().Countdown = 3;
    };
    f.PlayFrames(4);
    EXPECT_EQ(f.st().MissCount[2][4], after) << "from " << before;
  }
}

// A clock with sub-millisecond time: sleeping advances it by the amount asked for, each
// reading by a little, as a real wait would.
class FineClockHost final : public RecordingGameHost, public Clock {
 public:
  Clock& clock() override { return *this; }
  std::int64_t TickMs() override { return static_cast<std::int64_t>(std::floor(nowMs += 0.01)); }
  double Seconds() override { return nowMs / 1000.0; }
  void SleepMs(double ms) override { sleeps.push_back(ms), nowMs += ms; }
  double nowMs = 1000.25;
  std::vector<double> sleeps;
};

TEST(MainLoop, WaitSleepsToJustBeforeTheDeadlineThenSpinsToIt) {
  test::TempFolder folder;
  basMoriva mod;
  Surface none;
  FineClockHost host;
  Game game(mod, none, none, host, folder.path());
  game.SetViewFrame(320, 320);
  game.ReturnToTitle();
  std::vector<std::int64_t> frameEnds;
  host.onFrameEnded = [&](long n) {
    frameEnds.push_back(host.TickMs());
    if (n == 20) game.state().StopLoop = kTrue;
  };
  game.lblTitle_Click(0);
  ASSERT_EQ(frameEnds.size(), 20u);
  // Frame 1 does not wait; from then on each frame ends 13 ticks after the previous one.
  for (std::size_t i = 2; i < frameEnds.size(); ++i) EXPECT_EQ(frameEnds[i] - frameEnds[i - 1], 13);
  ASSERT_EQ(host.sleeps.size(), 19u);
  // The last fraction of a millisecond is spun.
  EXPECT_TRUE(std::ranges::all_of(host.sleeps, [](double ms) { return ms > 10.0 && ms < 12.8; }));
}

TEST(MainLoop, ClosingTheWindowLeavesTheLoopWithoutFurtherLogic) {
  GameFixture f;
  f.host().onFrameBegins = [&](long n) {
    if (n == 3) f.st().Countdown = 5;
  };
  f.host().onEvents = [&] {
    if (f.host().eventPasses == 3) f.game().Form_Unload();
  };
  long ended = 0;
  f.host().onFrameEnded = [&](long n) { ended = n; };
  EXPECT_EQ(f.game().lblTitle_Click(0), RunResult::Closed);
  EXPECT_EQ(ended, 2);
  EXPECT_EQ(f.st().Countdown, 5) << "the countdown of the closing frame does not run";
  EXPECT_EQ(f.st().StopLoop, kTrue);
}

}  // namespace
}  // namespace moriva
