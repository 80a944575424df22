#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "replay/ReplayRunner.h"
#include "replay/ReplayScript.h"
#include "support/TempFolder.h"
#include "support/WorldBuilder.h"
#include "world/MapFile.h"

namespace moriva {
namespace {

// A replay that lands on the goal with both goods and goes on into the ending.
class EndingReplayTest : public ::testing::Test {
 protected:
  EndingReplayTest() {
    test::WorldBuilder world;
    world.Put(2, 2, 10, 21, {"GGG"});
    EXPECT_TRUE(SaveMap(folder.file("mapdata.dat"), world.Map()));
  }

  std::vector<std::string> Run(const std::string& text) {
    std::istringstream in(text);
    ReplayScript script;
    ReplayScriptError error;
    EXPECT_TRUE(ParseReplayScript(in, script, error)) << error.line << ": " << error.message;
    std::ostringstream trace;
    std::string message;
    EXPECT_EQ(ReplayRunner(folder.path()).Run(script, trace, message), 0) << message;
    std::vector<std::string> lines;
    std::istringstream out(trace.str());
    for (std::string line; std::getline(out, line);) lines.push_back(line);
    return lines;
  }

  test::TempFolder folder;
};

TEST_F(EndingReplayTest, EndingTicksFollowTheLastFrame) {
  const auto lines = Run("start 2 2 352 640\nitems 8 9\nending 400\n");
  // 149 frames, 400 ending ticks, the closing line.
  ASSERT_EQ(lines.size(), 149u + 400u + 1u);
  EXPECT_NE(lines[148].find("\"ShowEnding\""), std::string::npos) << lines[148];
  EXPECT_EQ(lines[149].rfind("{\"EndingTick\": 1, \"LabelTop\": 356, \"LabelVisible\": true", 0), 0u)
      << lines[149];
  EXPECT_NE(lines[149 + 270].find("\"music\": [[4, true]], \"MusicStarted\": true"), std::string::npos)
      << lines[149 + 270];
  EXPECT_NE(lines[149 + 271].find("\"music\": [[4, true]], \"MusicStarted\": false"), std::string::npos)
      << lines[149 + 271];
  EXPECT_NE(lines[149 + 399].find("{\"x\": 328, \"y\": 48, \"text\": \"ごめんなさい、べーたばんには\"}"),
            std::string::npos)
      << lines[149 + 399];
  EXPECT_EQ(lines.back(), "{\"end\": \"ending\", \"frames\": 149}");
}

TEST_F(EndingReplayTest, WithoutEndingTheReplayStopsAtTheEnding) {
  const auto lines = Run("start 2 2 352 640\nitems 8 9\n");
  ASSERT_EQ(lines.size(), 150u);
  EXPECT_EQ(lines.back(), "{\"end\": \"ending\", \"frames\": 149}");
}

TEST_F(EndingReplayTest, ScriptRejectsABadEndingLine) {
  for (const char* text : {"ending\n", "ending -1\n", "ending x\n", "ending 1 2\n"}) {
    std::istringstream in(text);
    ReplayScript script;
    ReplayScriptError error;
    EXPECT_FALSE(ParseReplayScript(in, script, error)) << text;
    EXPECT_EQ(error.line, 1) << text;
  }
}

}  // namespace
}  // namespace moriva
