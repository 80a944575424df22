#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "support/GameFixture.h"
#include "support/WorldBuilder.h"
#include "world/MapFile.h"
#include "replay/ReplayRunner.h"
#include "replay/ReplayScript.h"

namespace moriva {
namespace {

std::string RunScript(const test::TempFolder& folder, const std::string& text, int* status = nullptr) {
  const std::string path = folder.file("script.txt");
  std::ofstream(path) << text;
  std::ostringstream out, err;
  const int rc = RunReplayCommand(folder.path(), path, "", out, err);
  if (status) *status = rc;
  return rc == 0 ? out.str() : err.str();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  return lines;
}

// Each (line, text): the trace line of that number holds the text.
void ExpectLinesHold(const std::vector<std::string>& lines, std::initializer_list<std::pair<std::size_t, const char*>> holds) {
  for (const auto& [n, text] : holds) {
    ASSERT_LT(n, lines.size()) << text;
    EXPECT_NE(lines[n].find(text), std::string::npos) << "line " << n << ": " << lines[n];
  }
}

TEST(Replay, SameScriptGivesTheSameTraceByteForByte) {
  test::GameFixture f;
  f.WriteWorld();
  const std::string script =
      "# a walk, a save and a load\n"
      "items 4\n"
      "switch 0\n"
      "start 1 2 400.5 600\n"
      "at 3 press Right S\n"
      "at 10 release Right S\n"
      "at 12 press L D2\n"
      "answer yes\n"
      "frames 30\r\n";
  const std::string first = RunScript(f.folder(), script);
  std::filesystem::remove(f.folder().file("savedata.dat"));
  const std::string second = RunScript(f.folder(), script);
  EXPECT_EQ(first, second);
  const auto lines = Lines(first);
  ASSERT_EQ(lines.size(), 31u);
  EXPECT_EQ(lines.back(), R"({"end": "frames", "frames": 30})");
  ExpectLinesHold(lines, {{0, R"("events": ["ReturnToTitle", "EnterBlock"])"},
                          {0, R"("music": [[1, true], [2, false]])"},
                          {0, R"("BlockX": 1, "BlockY": 2, "HeroX": 400.5)"},
                          {0, R"("SwitchOn": 0)"},
                          {2, R"("effects": [1])"},
                          {2, R"("events": ["SaveGame"])"},
                          {11, R"("events": ["prompt ロードしますか？ yes", "LoadGame 2", "EnterBlock"])"}});
}

TEST(Replay, TraceFieldsInTheirOrder) {
  test::GameFixture f;
  f.WriteWorld();
  const auto lines = Lines(RunScript(f.folder(), "frames 1\n"));
  ASSERT_EQ(lines.size(), 2u);
  const char* fields[] = {"frame",        "BlockX",      "BlockY",        "HeroX",        "HeroY",
                          "HeroVX",       "HeroVY",      "HeroState",     "PrevState",    "Facing",
                          "JumpFrames",   "Countdown",   "RopeRow",       "SwitchOn",     "AnimCount",
                          "ConveyorVX",   "SlowFloor",   "CrumbleTimer",  "SpringTimer",  "LauncherTimer",
                          "SavedInBlock", "GoalTouched", "HaveItem",      "MissCount",    "effects",
                          "music",        "events"};
  std::size_t at = 0;
  for (const char* name : fields) {
    const std::size_t found = lines[0].find("\"" + std::string(name) + "\": ", at);
    ASSERT_NE(found, std::string::npos) << name;
    at = found;
  }
  EXPECT_NE(lines[0].find(R"("MissCount": [[0, 0, 0, 0, 0], [0, 0, 0, 0, 0], [0, 0, 0, 0, 0], [0, 0, 0, 0, 0], [0, 0, 0, 0, 0]])"),
            std::string::npos);
}

TEST(Replay, BadLinesAreRejectedWithTheirNumber) {
  test::GameFixture f;
  f.WriteWorld();
  int status = 0;
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

TEST(Replay, MissingWorldIsAnError) {
  test::GameFixture f;
  int status = 0;
  const std::string err = RunScript(f.folder(), "frames 1\n", &status);
  EXPECT_EQ(status, 2);
  EXPECT_NE(err.find("mapdata.dat"), std::string::npos);
}

TEST(ReplayScriptKeys, NamesAndNumbers) {
  const std::pair<const char*, int> keys[] = {{"Left", 37}, {"Enter", 13}, {"D7", 55}, {"Q", 81},
                                              {"200", 200}, {"256", -1},   {"left", -1}};
  for (const auto& [name, code] : keys) EXPECT_EQ(ReplayKeyCode(name), code) << name;
}

// A replay that lands on the goal with both goods and goes on into the ending, or stops
// there. The ending's lines themselves are the ending trace's part.
TEST(Replay, EndingTicksFollowTheLastFrame) {
  test::TempFolder folder;
  test::WorldBuilder world;
  world.Put(2, 2, 10, 21, {"GGG"});
  ASSERT_TRUE(SaveMap(folder.file("mapdata.dat"), world.Map()));
  const char* kToTheGoal = "start 2 2 352 640\nitems 8 9\n";
  EXPECT_EQ(Lines(RunScript(folder, kToTheGoal)).size(), 150u);
  const auto lines = Lines(RunScript(folder, kToTheGoal + std::string("ending 400\n")));
  ASSERT_EQ(lines.size(), 149u + 400u + 1u);  // frames, ending ticks, the closing line
  EXPECT_NE(lines[148].find("\"ShowEnding\""), std::string::npos) << lines[148];
  EXPECT_EQ(lines[149].rfind("{\"EndingTick\": 1, \"LabelTop\": 356, \"LabelVisible\": true", 0), 0u) << lines[149];
  EXPECT_EQ(lines.back(), "{\"end\": \"ending\", \"frames\": 149}");
}

}  // namespace
}  // namespace moriva
