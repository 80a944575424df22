#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "game/Ending.h"
#include "replay/EndingTrace.h"
#include "game/Game.h"
#include "support/DialogTestHost.h"
#include "platform/Clock.h"
#include "platform/KeyCodes.h"
#include "world/basMoriva.h"

namespace moriva {
namespace {

constexpr Pixel kOlive = Rgb(128, 128, 0);
constexpr Pixel kBlock = Rgb(10, 20, 30);

class EndingTest : public ::testing::Test {
 protected:
  EndingTest() : sprites(256, 768, Rgb(255, 255, 255)), tiles(256, 768), game(module, tiles, sprites, host, "/nowhere") {
    sprites.fillRect(96, 544, 32, 32, kOlive);
    game.picGame().fill(kBlock);
  }

  // Ticks until the given tick has run.
  void TickUntil(int tick) {
    while (game.state().EndingTick < tick && game.state().Ending.TimerRunning) tmrEnding_Timer(game);
  }

  basMoriva module;
  Surface sprites;
  Surface tiles;
  DialogTestHost host;
  Game game;
};

TEST_F(EndingTest, ShowEndingSetsUpTheEndScreen) {
  GameState& st = game.state();
  st.BlockTiles(3, 4) = 98;
  st.BlockTiles(50, 50) = 142;
  st.BlockTiles(7, 7) = 99;
  host.PlayMusic(2, false);
  ShowEnding(game);

  EXPECT_EQ(game.picGame().pixel(3 * 32, 4 * 32), kOlive);
  EXPECT_EQ(game.picGame().pixel(3 * 32 + 31, 4 * 32 + 31), kOlive);
  EXPECT_EQ(game.picGame().pixel(1599, 1599), kBlock);  // cell (50, 50) lies beyond the surface
  EXPECT_EQ(game.picGame().pixel(7 * 32, 7 * 32), kBlock);
  EXPECT_EQ(game.picGame().pixel(3 * 32, 5 * 32), kBlock);

  const EndingScreen& screen = st.Ending;
  EXPECT_TRUE(screen.Shown);
  EXPECT_EQ(screen.BackColor, Rgb(0, 0, 120));
  EXPECT_STREQ(screen.LabelText, kEndingNarration);
  EXPECT_EQ(screen.LabelLeft, 328);
  EXPECT_EQ(screen.LabelTop, 408);
  EXPECT_FALSE(screen.LabelVisible);
  EXPECT_EQ(st.StopLoop, -1);
  EXPECT_EQ(st.EndingTick, 0);
  EXPECT_EQ(host.stops, 1);
  EXPECT_EQ(host.device.calls.back(), "Command=Close");  // the area music is stopped
  EXPECT_TRUE(screen.TimerRunning);
  EXPECT_EQ(host.endingViews, 1);
}

TEST_F(EndingTest, StonesOfTheWholeWorkingCopyAreRepainted) {
  GameState& st = game.state();
  st.BlockTiles(0, 0) = 142;
  st.BlockTiles(49, 49) = 98;
  st.BlockTiles(49, 0) = 142;
  ShowEnding(game);
  EXPECT_EQ(game.picGame().pixel(0, 0), kOlive);
  EXPECT_EQ(game.picGame().pixel(49 * 32 + 31, 49 * 32 + 31), kOlive);
  EXPECT_EQ(game.picGame().pixel(49 * 32, 16), kOlive);
}

TEST_F(EndingTest, NarrationHasItsLinesAndBreaks) {
  const std::string narration = kEndingNarration;
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t at; (at = narration.find("\r\n", start)) != std::string::npos; start = at + 2) {
    lines.push_back(narration.substr(start, at - start));
  }
  lines.push_back(narration.substr(start));
  const std::vector<std::string> expected = {
      "やっと、きた。", "", "", "つきが、とても、まるかった。", "", "", "", "",
      "ここまでくろうして、", "", "", "おつきみをするポルミは、", "", "",
      "せかいでぼくひとりかもしれない。", "", "", "", "", "きょうは、ねむくなるまで", "", "",
      "ここで、つきをみていよう・・・"};
  EXPECT_EQ(lines, expected);
  // No bare carriage returns or line feeds: 22 pairs.
  EXPECT_EQ(std::count(narration.begin(), narration.end(), '\r'), 22);
  EXPECT_EQ(std::count(narration.begin(), narration.end(), '\n'), 22);
}

TEST_F(EndingTest, NarrationRisesFromBelowThenTheMusicStartsOnce) {
  EndingScreen& screen = game.state().Ending;
  const int c = screen.CaptionHeight;
  ASSERT_EQ(screen.ClientHeight, 340);
  ShowEnding(game);

  tmrEnding_Timer(game);
  EXPECT_EQ(game.state().EndingTick, 1);
  EXPECT_EQ(screen.LabelTop, 340 + c - 2);
  EXPECT_TRUE(screen.LabelVisible);

  TickUntil(270);
  EXPECT_EQ(screen.LabelTop, c - 200);
  EXPECT_TRUE(host.music.empty());
  EXPECT_EQ(host.Opens(), 0);

  tmrEnding_Timer(game);  // tick 271
  EXPECT_EQ(screen.LabelTop, c - 200);
  ASSERT_EQ(host.music.size(), 1u);
  EXPECT_EQ(host.music[0], std::make_pair(4, true));
  EXPECT_EQ(host.Opens(), 1);
  EXPECT_EQ(host.bgm.CurrentBGM(), 4);
  EXPECT_FALSE(host.bgm.LoopMusic());

  TickUntil(399);
  EXPECT_EQ(host.music.size(), 129u);  // ticks 271..399 all ask for the piece
  EXPECT_TRUE(std::all_of(host.music.begin(), host.music.end(),
                          [](const auto& m) { return m == std::make_pair(4, true); }));
  EXPECT_EQ(host.Opens(), 1);  // but it is opened only once
  EXPECT_TRUE(screen.LabelVisible);
}

TEST_F(EndingTest, NarrationStartsBelowTheClientAreaForAnyCaption) {
  for (int c : {0, 18, 23, 40}) {
    Game other(module, tiles, sprites, host, "/nowhere");
    other.state().Ending.CaptionHeight = c;
    ShowEnding(other);
    tmrEnding_Timer(other);
    EXPECT_EQ(other.state().Ending.LabelTop, 338 + c) << c;
    // The first line enters the 340 px area only after about c / 2 ticks.
    int ticks = 1;
    while (other.state().Ending.LabelTop >= 340) {
      tmrEnding_Timer(other);
      ++ticks;
    }
    EXPECT_EQ(ticks, c / 2 + 1) << c;
  }
}

TEST_F(EndingTest, TallerClientAreaRisesLongerByTheGeneralRule) {
  for (int h : {340, 341, 350, 400, 597, 598}) {
    DialogTestHost ownHost;
    Game other(module, tiles, sprites, ownHost, "/nowhere");
    other.state().Ending.ClientHeight = h;
    ShowEnding(other);
    int lastRise = 0;
    int firstMusic = 0;
    for (int t = 1; t < 400; ++t) {
      const std::int32_t before = other.state().Ending.LabelTop;
      const std::size_t musicBefore = ownHost.music.size();
      tmrEnding_Timer(other);
      if (other.state().Ending.LabelTop != before) lastRise = t;
      if (ownHost.music.size() > musicBefore && firstMusic == 0) firstMusic = t;
    }
    // The largest t with t - 1 < (H + 200) / 2.
    int expected = 1;
    while (2 * expected < h + 200) ++expected;
    EXPECT_EQ(lastRise, expected) << h;
    EXPECT_EQ(firstMusic, expected + 1 < 400 ? expected + 1 : 0) << h;
  }
}

TEST_F(EndingTest, TickFourHundredPrintsTheClosingTextAndStops) {
  EndingScreen& screen = game.state().Ending;
  ShowEnding(game);
  TickUntil(399);
  EXPECT_EQ(screen.PrintedCount, 0);
  tmrEnding_Timer(game);
  EXPECT_EQ(game.state().EndingTick, 400);
  EXPECT_FALSE(screen.LabelVisible);
  EXPECT_FALSE(screen.TimerRunning);
  EXPECT_EQ(screen.ForeColor, Rgb(255, 255, 255));
  EXPECT_EQ(host.music.size(), 129u);  // tick 400 asks for no music

  ASSERT_EQ(screen.PrintedCount, 9);
  const int lh = screen.PrintLineHeight;
  for (int i = 0; i < 9; ++i) {
    const EndingPrint& p = screen.Printed[static_cast<std::size_t>(i)];
    EXPECT_EQ(p.Y, 48 + i * lh) << i;
    EXPECT_STREQ(p.Text, kEndingClosingLines[static_cast<std::size_t>(i)]) << i;
    if (i == 6) {
      EXPECT_STREQ(p.Text, "");
      EXPECT_EQ(p.X, 0);  // the empty print only moves down a line
    } else {
      EXPECT_NE(std::string(p.Text), "") << i;
      EXPECT_EQ(p.X, 328) << i;
    }
  }
  EXPECT_STREQ(screen.Printed[0].Text, "ごめんなさい、べーたばんには");
  EXPECT_STREQ(screen.Printed[1].Text, "エンディングはありません・・・");
  EXPECT_STREQ(screen.Printed[5].Text, "お聞かせ下さい。");
}

TEST_F(EndingTest, NothingChangesAfterTickFourHundred) {
  ShowEnding(game);
  TickUntil(400);
  const GameState before = game.state();
  const Surface picture = game.picGame();
  const auto musicCalls = host.music.size();
  for (int i = 0; i < 50; ++i) tmrEnding_Timer(game);
  EXPECT_EQ(game.state().EndingTick, 400);
  EXPECT_TRUE(before.Ending == game.state().Ending);
  EXPECT_TRUE(game.picGame() == picture);
  EXPECT_EQ(host.music.size(), musicCalls);
}

TEST_F(EndingTest, PlayKeysDoNothingOnceTheEndingHasBegun) {
  GameState& st = game.state();
  module.BlockX = 2;
  module.BlockY = 2;
  st.HeroState = 100;
  st.Countdown = 3;
  st.HaveItem[4] = 1;
  st.HeroX = 500;
  st.HeroY = 600;
  EXPECT_EQ(game.RunGame(), RunResult::Ending);
  EXPECT_TRUE(st.Ending.TimerRunning);
  const float x = st.HeroX, y = st.HeroY;

  for (int key : {vk::kS, vk::kL, vk::kQ, vk::kLeft, vk::kRight, vk::kUp, vk::kDown}) game.KeyDown(key);
  TickUntil(400);
  EXPECT_TRUE(host.questions.empty());
  EXPECT_EQ(host.titles, 0);
  EXPECT_TRUE(host.effects.empty());
  EXPECT_EQ(st.HeroX, x);
  EXPECT_EQ(st.HeroY, y);
  EXPECT_EQ(st.HeroState, 100);
}

}  // namespace
}  // namespace moriva

namespace moriva {
namespace {

TEST_F(EndingTest, TraceWritesOneLinePerTickUntilTheTimerStops) {
  std::size_t musicSeen = 0, deviceSeen = 0;
  const auto takeMusic = [&] {
    EndingTickMusic tick;
    for (; musicSeen < host.music.size(); ++musicSeen) tick.calls.push_back(host.music[musicSeen]);
    for (; deviceSeen < host.device.calls.size(); ++deviceSeen) {
      tick.started = tick.started || host.device.calls[deviceSeen] == "Command=open";
    }
    return tick;
  };
  ShowEnding(game);
  std::ostringstream trace;
  EXPECT_EQ(WriteEndingTicks(game, 450, trace, takeMusic), 400);

  std::vector<std::string> lines;
  std::istringstream in(trace.str());
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 400u);
  EXPECT_EQ(lines[0],
            "{\"EndingTick\": 1, \"LabelTop\": 356, \"LabelVisible\": true, \"music\": [], "
            "\"MusicStarted\": false, \"printed\": []}");
  EXPECT_EQ(lines[270],
            "{\"EndingTick\": 271, \"LabelTop\": -182, \"LabelVisible\": true, \"music\": [[4, true]], "
            "\"MusicStarted\": true, \"printed\": []}");
  EXPECT_EQ(lines[271],
            "{\"EndingTick\": 272, \"LabelTop\": -182, \"LabelVisible\": true, \"music\": [[4, true]], "
            "\"MusicStarted\": false, \"printed\": []}");
  const std::string& last = lines[399];
  EXPECT_EQ(last.rfind("{\"EndingTick\": 400, \"LabelTop\": -182, \"LabelVisible\": false, \"music\": [], "
                       "\"MusicStarted\": false, \"printed\": [{\"x\": 328, \"y\": 48, \"text\": "
                       "\"ごめんなさい、べーたばんには\"}, ",
                       0),
            0u)
      << last;
  EXPECT_NE(last.find("{\"x\": 0, \"y\": 120, \"text\": \"\"}"), std::string::npos) << last;
  EXPECT_EQ(std::count(last.begin(), last.end(), '{'), 10);  // the line and nine prints

  // The timer has stopped: a further run writes nothing.
  EXPECT_EQ(WriteEndingTicks(game, 5, trace, takeMusic), 0);
}

}  // namespace
}  // namespace moriva
