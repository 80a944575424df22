#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "game/Game.h"
#include "replay/ReplayRunner.h"
#include "replay/ReplayScript.h"
#include "support/TempFolder.h"
#include "support/WorldBuilder.h"
#include "world/MapFile.h"

namespace moriva::test {
namespace {

// The same figures through the headless replay runner that `moriva-tool replay` uses: a
// world written to mapdata.dat, a script, and the frames it reports.
TEST(ReplayScriptTest, AStandingJumpThroughTheReplayRunnerPeaksAt73AndAHalf) {
  TempFolder folder;
  WorldBuilder w;
  w.Floor(2, 2, 40);
  ASSERT_TRUE(SaveMap(folder.file("mapdata.dat"), w.Map()));

  std::istringstream text(
      "start 2 2 320 1248\n"
      "at 5 press Space\n"
      "frames 60\n");
  ReplayScript script;
  ReplayScriptError error;
  ASSERT_TRUE(ParseReplayScript(text, script, error)) << error.line << ": " << error.message;

  ReplayRunner runner(folder.path());
  float top = 1248;
  long lifts = 0;
  runner.onFrame = [&](long, const Game& game) {
    top = std::min(top, game.state().HeroY);
    if (game.state().JumpFrames < 999) lifts = std::max<long>(lifts, game.state().JumpFrames);
  };
  std::ostringstream trace;
  std::string message;
  ASSERT_EQ(runner.Run(script, trace, message), 0) << message;
  EXPECT_FLOAT_EQ(top, 1248 - 73.5f);
  EXPECT_EQ(lifts, 7);
}

}  // namespace
}  // namespace moriva::test
