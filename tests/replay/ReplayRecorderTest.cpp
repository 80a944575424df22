#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <sstream>
#include <utility>
#include <vector>

#include "game/Game.h"
#include "platform/KeyCodes.h"
#include "platform/Surface.h"
#include "replay/ReplayRecorder.h"
#include "replay/ReplayRunner.h"
#include "replay/ReplayScript.h"
#include "support/RecordingGameHost.h"
#include "support/TempFolder.h"
#include "world/MapFile.h"
#include "world/basMoriva.h"

namespace moriva {
namespace {

constexpr int kFloorRow = 48;
constexpr std::uint8_t kFloor = 100;
constexpr std::uint8_t kBox = 55;
constexpr int kStartBlockX = 2, kStartBlockY = 4;
constexpr int kBoxColumn = 9;  // right of the start: a walk to the right opens it

struct KeyEvent {
  int key;
  bool down;
};
using Events = std::map<long, std::vector<KeyEvent>>;
constexpr long kFrames = 90;

// Tells the recorder of the player's answers and of the item dialog, where the player lets
// go of a key; the game forgets keys anyway.
class PlayerHost final : public RecordingGameHost {
 public:
  explicit PlayerHost(ReplayRecorder& recorder) : recorder_(recorder) {}
  bool AskYesNo(const char* question) override {
    const bool yes = RecordingGameHost::AskYesNo(question);
    recorder_.Answered(yes);
    return yes;
  }
  void ShowItemDialog(int itemNo) override {
    RecordingGameHost::ShowItemDialog(itemNo);
    dialogs.push_back(itemNo);
    game->KeyUp(vk::kRight);
    recorder_.DialogClosed();
  }
  Game* game = nullptr;
  std::vector<int> dialogs;

 private:
  ReplayRecorder& recorder_;
};

// A player at the window, without one: key events arrive while the frame processes window
// events (so the game reads them in the next frame). The recorder hears what the window
// tells it; where the hero stands after every frame is noted.
struct RecordedPlay {
  RecordedPlay() {
    for (int x = 0; x < kWorldTiles; ++x)
      for (int by = 0; by < kWorldBlocks; ++by) world.Map(x, by * kBlockTiles + kFloorRow) = kFloor;
    world.Map(kStartBlockX * kBlockTiles + kBoxColumn, kStartBlockY * kBlockTiles + kFloorRow - 1) = kBox;
  }

  // Plays a new game with the player's events and replies, recording it.
  void Play(Events events, std::vector<bool> replies) {
    recorder = std::make_unique<ReplayRecorder>(folder.file("recorded.txt"));
    host = std::make_unique<PlayerHost>(*recorder);
    Game game(world, sheet, sheet, *host, folder.path());
    long frame = 0;
    host->game = &game;
    host->answers = std::move(replies);
    host->onFrameBegins = [&](long n) {
      frame = n;
      recorder->FrameBegins(n, game);
    };
    host->onEvents = [&] {
      for (const KeyEvent& e : events[frame]) e.down ? game.KeyDown(e.key) : game.KeyUp(e.key);
    };
    host->onFrameEnded = [&](long n) {
      positions.emplace_back(game.state().HeroX, game.state().HeroY);
      if (n >= kFrames) game.state().StopLoop = kTrue;
    };
    game.SetViewFrame(kViewFrameSize, kViewFrameSize);
    game.ReturnToTitle();
    recorder->TitleChosen(0, game);
    const RunResult result = game.lblTitle_Click(0);
    recorder->PlayEnded(result, game);
    host->game = nullptr;
  }

  basMoriva world;
  Surface sheet{kSheetWidth, kSheetHeight};
  test::TempFolder folder;
  std::unique_ptr<ReplayRecorder> recorder;
  std::unique_ptr<PlayerHost> host;
  std::vector<std::pair<float, float>> positions;
};


TEST(ReplayRecorder, WritesKeysAtTheFrameThatFirstReadsThemAndReplaysTheSamePositions) {
  RecordedPlay play;
  play.Play(Events{{2, {{vk::kRight, true}}},
                   {40, {{vk::kRight, true}, {vk::kL, true}}},
                   {41, {{vk::kL, false}}},
                   {50, {{vk::kRight, false}, {vk::kSpace, true}}},
                   {55, {{vk::kSpace, false}}},
                   {60, {{vk::kLeft, true}, {vk::kQ, true}}},
                   {61, {{vk::kQ, false}}},
                   {80, {{vk::kLeft, false}}}},
            {false, false});
  // The box stops the walk and the game forgets Right; L's question is answered No and the
  // game forgets Right and L again, so letting go of Right later changes nothing.
  EXPECT_EQ(play.recorder->text(),
            "# Recorded with moriva --record.\n"
            "title new\n"
            "at 3 press Right\n"
            "at 41 press Right L\n"
            "answer no\n"
            "at 51 press Space\n"
            "at 56 release Space\n"
            "at 61 press Left Q\n"
            "answer no\n"
            "frames 90\n");
  EXPECT_EQ(play.host->dialogs.size(), 1u);

  ASSERT_TRUE(SaveMap(MapFilePath(play.folder.path()), play.world.Map).ok);
  std::istringstream in(play.recorder->text());
  ReplayScript script;
  ReplayScriptError bad;
  ASSERT_TRUE(ParseReplayScript(in, script, bad)) << bad.message;
  std::vector<std::pair<float, float>> replayed;
  ReplayRunner runner(play.folder.path());
  runner.onFrame = [&](long, const Game& game) { replayed.emplace_back(game.state().HeroX, game.state().HeroY); };
  std::ostringstream trace;
  std::string error;
  ASSERT_EQ(runner.Run(script, trace, error), 0) << error;
  EXPECT_EQ(replayed, play.positions);
  EXPECT_NE(trace.str().find("\"prompt タイトルに戻りますか？ no\""), std::string::npos);
  EXPECT_NE(trace.str().find("\"dialog 102\""), std::string::npos);
}

TEST(ReplayRecorder, KeyNamesReadBackAsTheSameKeys) {
  for (int k = 0; k < vk::kCount; ++k) EXPECT_EQ(ReplayKeyCode(ReplayKeyName(k)), k) << k;
}

}  // namespace
}  // namespace moriva
