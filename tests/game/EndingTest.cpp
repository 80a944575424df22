#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "game/Ending.h"
#include "game/Game.h"
#include "platform/MidiDevice.h"
#include "replay/EndingTrace.h"
#include "support/RecordingGameHost.h"
#include "world/basMoriva.h"

namespace moriva {
namespace {

constexpr Pixel kOlive = Rgb(128, 128, 0);
constexpr Pixel kBlock = Rgb(10, 20, 30);

TEST(EndingTest, NarrationHasItsLinesAndBreaks) {
  EXPECT_STREQ(kEndingNarration,
               "やっと、きた。\r\n\r\n\r\nつきが、とても、まるかった。\r\n\r\n\r\n\r\n\r\n"
               "ここまでくろうして、\r\n\r\n\r\nおつきみをするポルミは、\r\n\r\n\r\n"
               "せかいでぼくひとりかもしれない。\r\n\r\n\r\n\r\n\r\nきょうは、ねむくなるまで\r\n\r\n\r\n"
               "ここで、つきをみていよう・・・");
}

// ShowEnding repaints the goal stones and sets up the end screen. Then the narration rises
// from below, the music starts at tick 271 and is opened once though every later tick asks
// for it, the closing text comes at tick 400 and nothing changes after it. The trace
// writes one line a tick until the timer stops.
TEST(EndingTest, EndScreenTimelineAndItsTrace) {
  basMoriva module;
  Surface sprites(256, 768, Rgb(255, 255, 255)), tiles(256, 768);
  RecordingMidiDevice device;
  clsBGM bgm{"/game"};
  RecordingGameHost host;
  Game game(module, tiles, sprites, host, "/nowhere");
  sprites.fillRect(96, 544, 32, 32, kOlive);
  game.picGame().fill(kBlock);
  bgm.InitBGM(device);
  for (const char* file : {"qz2.mid", "qz3.mid", "sky02.mid", "org5.mid"}) bgm.AddBGM(file);
  host.bgm = &bgm;
  GameState& st = game.state();
  st.BlockTiles(0, 0) = 142, st.BlockTiles(49, 49) = 98, st.BlockTiles(7, 7) = 99;  // goal stones and a plain tile

  host.PlayMusic(3, false);  // the area's music, before the first tick: not part of its line
  ShowEnding(game);
  const Surface& g = game.picGame();
  EXPECT_EQ((std::tuple{g.pixel(0, 0), g.pixel(49 * 32 + 31, 49 * 32 + 31), g.pixel(7 * 32, 7 * 32)}), (std::tuple{kOlive, kOlive, kBlock}));
  const EndingScreen& screen = st.Ending;
  EXPECT_EQ((std::tuple{screen.BackColor, screen.LabelLeft, screen.LabelVisible, screen.TimerRunning, st.StopLoop}),
            (std::tuple<Pixel, std::int32_t, bool, bool, std::int16_t>{Rgb(0, 0, 120), 328, false, true, -1}));
  EXPECT_STREQ(screen.LabelText, kEndingNarration);
  EXPECT_EQ((std::pair{device.calls.back(), host.endingViews}), (std::pair{std::string("Command=Close"), 1}));  // the area music stopped

  std::size_t musicSeen = 0, deviceSeen = 0;
  const auto takeMusic = [&] {
    EndingTickMusic tick;
    for (; musicSeen < host.music.size(); ++musicSeen)
      tick.calls.emplace_back(host.music[musicSeen].number, host.music[musicSeen].notLoop);
    for (; deviceSeen < device.calls.size(); ++deviceSeen)
      tick.started = tick.started || device.calls[deviceSeen] == "Command=open";
    return tick;
  };
  std::ostringstream trace;
  EXPECT_EQ(WriteEndingTicks(game, 450, trace, takeMusic), 400);
  std::vector<std::string> lines;
  std::istringstream in(trace.str());
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 400u);
  const auto line = [](int tick, int top, bool music, const char* rest) {
    return "{\"EndingTick\": " + std::to_string(tick) + ", \"LabelTop\": " + std::to_string(top) +
           ", \"LabelVisible\": " + (tick < 400 ? "true" : "false") + ", \"music\": " +
           (music ? "[[4, true]]" : "[]") + ", \"MusicStarted\": " + (tick == 271 ? "true" : "false") +
           ", \"printed\": " + rest;
  };
  const int c = screen.CaptionHeight;
  EXPECT_EQ(lines[0], line(1, 340 + c - 2, false, "[]}"));
  EXPECT_EQ((std::pair{lines[269], lines[270]}), (std::pair{line(270, c - 200, false, "[]}"), line(271, c - 200, true, "[]}")}));
  EXPECT_EQ(lines[398], line(399, c - 200, true, "[]}"));
  EXPECT_TRUE(lines[399].starts_with(line(400, c - 200, false, "[{\"x\": 328, \"y\": 48, \"text\": \"ごめんなさい、べーたばんには\"}, ")));
  EXPECT_EQ(host.music.size(), 1u + 129u);  // ticks 271..399 all ask for the piece
  EXPECT_EQ(std::ranges::count(device.calls, std::string("Command=open")), 2);  // opened once after the first

  EXPECT_EQ((std::pair{screen.TimerRunning, screen.ForeColor}), (std::pair{false, Rgb(255, 255, 255)}));
  const char* const expected[] = {"ごめんなさい、べーたばんには", "エンディングはありません・・・",
                                  "最後までプレイしていただき、", "本当にありがとうございます。",
                                  "ぜひ作者まで感想を", "お聞かせ下さい。", "", "Moriva プロジェクト 制作",
                                  "感想は Moriva の課題票まで"};
  ASSERT_EQ(screen.PrintedCount, 9);
  for (int i = 0; i < 9; ++i) {
    const EndingPrint& p = screen.Printed[static_cast<std::size_t>(i)];
    EXPECT_EQ((std::tuple{p.X, p.Y, std::string(p.Text)}), (std::tuple{i == 6 ? 0 : 328, 48 + i * screen.PrintLineHeight, expected[i]}))
        << i;  // the empty print only moves down a line
  }
  const GameState before = st;
  for (int i = 0; i < 50; ++i) tmrEnding_Timer(game);
  EXPECT_EQ((std::pair{before.Ending == st.Ending, host.music.size()}), (std::pair{true, std::size_t{130}}));
  EXPECT_EQ(WriteEndingTicks(game, 5, trace, takeMusic), 0);
}

}  // namespace
}  // namespace moriva
