#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include "platform/KeyCodes.h"
#include "replay/ReplayRecorder.h"
#include "replay/ReplayRunner.h"
#include "support/GameFixture.h"
#include "support/WorldBuilder.h"
#include "world/MapFile.h"

namespace moriva {
namespace {

std::string RunScript(const test::TempFolder& folder, const std::string& text, int* status = nullptr) {
  std::ofstream(folder.file("script.txt")) << text;
  std::ostringstream out, err;
  const int rc = RunReplayCommand(folder.path(), folder.file("script.txt"), "", out, err);
  if (status) *status = rc;
  return rc == 0 ? out.str() : err.str();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  return lines;
}

TEST(Replay, SameScriptGivesTheSameTraceByteForByteWithItsFieldsInOrder) {
  test::GameFixture f;
  f.WriteWorld();
  // A walk, a save (S) and a load (L, digit 2) answered Yes; the last line ends as on Windows.
  const std::string script = "# a walk, a save and a load\nitems 4\nswitch 0\nstart 1 2 400.5 600\n"
                             "at 3 press Right S\nat 10 release Right S\nat 12 press L D2\nanswer yes\nframes 30\r\n";
  const std::string first = RunScript(f.folder(), script);
  std::filesystem::remove(f.folder().file("savedata.dat"));
  EXPECT_EQ(RunScript(f.folder(), script), first);
  const auto lines = Lines(first);
  ASSERT_EQ(lines.size(), 31u);
  EXPECT_EQ(lines.back(), R"({"end": "frames", "frames": 30})");
  // Each row: a trace line and a text it holds.
  const std::pair<std::size_t, const char*> holds[] = {
      {0, R"("events": ["ReturnToTitle", "EnterBlock"])"}, {0, R"("music": [[1, true], [2, false]])"},
      {0, R"("BlockX": 1, "BlockY": 2, "HeroX": 400.5)"},  {0, R"("SwitchOn": 0)"},
      {2, R"("effects": [1])"},                             {2, R"("events": ["SaveGame"])"},
      {11, R"("events": ["prompt ロードしますか？ yes", "LoadGame 2", "EnterBlock"])"}};
  for (const auto& [n, text] : holds) EXPECT_NE(lines[n].find(text), std::string::npos) << n << ": " << lines[n];
  std::size_t at = 0;  // the fields in their order
  for (const char* name : {"frame", "BlockX", "BlockY", "HeroX", "HeroY", "HeroVX", "HeroVY", "HeroState",
                           "PrevState", "Facing", "JumpFrames", "Countdown", "RopeRow", "SwitchOn", "AnimCount",
                           "ConveyorVX", "SlowFloor", "CrumbleTimer", "SpringTimer", "LauncherTimer",
                           "SavedInBlock", "GoalTouched", "HaveItem", "MissCount", "effects", "music", "events"}) {
    at = lines[1].find("\"" + std::string(name) + "\": ", at);
    ASSERT_NE(at, std::string::npos) << name;
  }
  EXPECT_NE(lines[1].find(R"("MissCount": [[0, 0, 0, 0, 0], [0, 0, 0, 0, 0], [0, 0, 0, 0, 0], [0, 0, 0, 0, 0], [0, 0, 0, 0, 0]])"),
            std::string::npos);
}

TEST(Replay, AMissingWorldAndBadLinesAreErrorsWithTheLineNumber) {
  test::GameFixture f;
  int status = 0;
  EXPECT_NE(RunScript(f.folder(), "frames 1\n", &status).find("mapdata.dat"), std::string::npos);
  EXPECT_EQ(status, 2);
  f.WriteWorld();
  const std::pair<const char*, int> cases[] = {
      {"frames 3\nat 0 press Left\n", 2}, {"frames 3\n\nat 2 press Jump\n", 3}, {"start 5 0 1 1\n", 1},
      {"title later\n", 1}, {"switch 2\n", 1}, {"items 10\n", 1}, {"answer maybe\n", 1}, {"frames x\n", 1},
      {"jump\n", 1}, {"ending\n", 1}, {"ending -1\n", 1}, {"ending x\n", 1}, {"ending 1 2\n", 1}};
  for (const auto& [text, line] : cases) {
    const std::string err = RunScript(f.folder(), text, &status);
    EXPECT_EQ(status, 2) << text;
    EXPECT_NE(err.find("script.txt:" + std::to_string(line) + ":"), std::string::npos) << err;
  }
}

// Names and numbers read as keys; every key's written name reads back as that key.
TEST(ReplayScriptKeys, NamesAndNumbers) {
  const std::pair<const char*, int> keys[] = {{"Left", 37}, {"Enter", 13}, {"D7", 55}, {"Q", 81},
                                              {"200", 200}, {"256", -1},   {"left", -1}};
  for (const auto& [name, code] : keys) EXPECT_EQ(ReplayKeyCode(name), code) << name;
  for (int k = 0; k < vk::kCount; ++k) EXPECT_EQ(ReplayKeyCode(ReplayKeyName(k)), k) << k;
}

// A replay that lands on the goal with both goods and goes on into the ending, or stops
// there. The ending's lines themselves are the ending trace's part.
TEST(Replay, EndingTicksFollowTheLastFrame) {
  test::TempFolder folder;
  ASSERT_TRUE(SaveMap(folder.file("mapdata.dat"), test::WorldBuilder().Put(2, 2, 10, 21, {"GGG"}).Map()));
  const char* kToTheGoal = "start 2 2 352 640\nitems 8 9\n";
  EXPECT_EQ(Lines(RunScript(folder, kToTheGoal)).size(), 150u);
  const auto lines = Lines(RunScript(folder, kToTheGoal + std::string("ending 400\n")));
  ASSERT_EQ(lines.size(), 149u + 400u + 1u);  // frames, ending ticks, the closing line
  EXPECT_NE(lines[148].find("\"ShowEnding\""), std::string::npos) << lines[148];
  EXPECT_EQ(lines[149].rfind("{\"EndingTick\": 1, \"LabelTop\": 356, \"LabelVisible\": true", 0), 0u) << lines[149];
  EXPECT_EQ(lines.back(), "{\"end\": \"ending\", \"frames\": 149}");
}

// Tells the recorder of the player's answers and of the item dialog, where the player lets
// go of Right; the game forgets keys anyway.
class PlayerHost final : public RecordingGameHost {
 public:
  explicit PlayerHost(ReplayRecorder& r) : recorder(r) {}
  bool AskYesNo(const char* question) override {
    const bool yes = RecordingGameHost::AskYesNo(question);
    return recorder.Answered(yes), yes;
  }
  void ShowItemDialog(int itemNo) override {
    RecordingGameHost::ShowItemDialog(itemNo);
    game->KeyUp(vk::kRight);
    recorder.DialogClosed();
  }
  ReplayRecorder& recorder;
  Game* game = nullptr;
};

// A player at the window, without one: key events arrive while the frame processes window
// events, so the game reads them in the next frame. Where the hero stands after every frame
// is noted, and the replay of the recorded script must stand him on the same places.
TEST(ReplayRecorder, WritesKeysAtTheFrameThatFirstReadsThemAndReplaysTheSamePositions) {
  test::TempFolder folder;
  basMoriva world;  // a floor on row 48 of every block; in the start block (2, 4) a box right of the hero
  for (int x = 0; x < kWorldTiles; ++x)
    for (int by = 0; by < kWorldBlocks; ++by) world.Map(x, by * kBlockTiles + 48) = 100;
  world.Map(2 * kBlockTiles + 9, 4 * kBlockTiles + 47) = 55;
  const Surface sheet{kSheetWidth, kSheetHeight};
  const std::map<long, std::vector<std::pair<int, bool>>> events{
      {2, {{vk::kRight, true}}},  {40, {{vk::kRight, true}, {vk::kL, true}}},
      {41, {{vk::kL, false}}},    {50, {{vk::kRight, false}, {vk::kSpace, true}}},
      {55, {{vk::kSpace, false}}}, {60, {{vk::kLeft, true}, {vk::kQ, true}}},
      {61, {{vk::kQ, false}}},    {80, {{vk::kLeft, false}}}};
  std::vector<std::pair<float, float>> played;
  ReplayRecorder recorder(folder.file("recorded.txt"));
  PlayerHost host(recorder);
  Game game(world, sheet, sheet, host, folder.path());
  host.game = &game;
  host.answers = {false, false};
  long frame = 0;
  host.onFrameBegins = [&](long n) { recorder.FrameBegins(frame = n, game); };
  host.onEvents = [&] {
    if (auto it = events.find(frame); it != events.end())
      for (auto [key, down] : it->second) down ? game.KeyDown(key) : game.KeyUp(key);
  };
  host.onFrameEnded = [&](long n) {
    played.emplace_back(game.state().HeroX, game.state().HeroY);
    if (n >= 90) game.state().StopLoop = kTrue;
  };
  game.SetViewFrame(kViewFrameSize, kViewFrameSize);
  game.ReturnToTitle();
  recorder.TitleChosen(0, game);
  recorder.PlayEnded(game.lblTitle_Click(0), game);
  // The box stops the walk and the game forgets Right; L's question is answered No and the
  // game forgets Right and L again, so letting go of Right later changes nothing.
  EXPECT_EQ(recorder.text(),
            "# Recorded with moriva --record.\ntitle new\n"
            "at 3 press Right\n"
            "at 41 press Right L\nanswer no\n"
            "at 51 press Space\nat 56 release Space\n"
            "at 61 press Left Q\nanswer no\n"
            "frames 90\n");

  ASSERT_TRUE(SaveMap(MapFilePath(folder.path()), world.Map).ok);
  std::istringstream in(recorder.text());
  ReplayScript script;
  ReplayScriptError bad;
  ASSERT_TRUE(ParseReplayScript(in, script, bad)) << bad.message;
  std::vector<std::pair<float, float>> replayed;
  ReplayRunner runner(folder.path());
  runner.onFrame = [&](long, const Game& g) { replayed.emplace_back(g.state().HeroX, g.state().HeroY); };
  std::ostringstream trace;
  std::string error;
  ASSERT_EQ(runner.Run(script, trace, error), 0) << error;
  EXPECT_EQ(replayed, played);
}

}  // namespace
}  // namespace moriva
