// The shipped world played from a new game to the ending by the script kept with its
// sources, through the real frame code: a world that can no longer be finished fails here.
#include <gtest/gtest.h>

#include <fstream>
#include <numeric>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "MapFileIo.h"
#include "WorldSource.h"
#include "game/Game.h"
#include "game/GameState.h"
#include "replay/ReplayRunner.h"
#include "replay/ReplayScript.h"
#include "support/TempFolder.h"

namespace moriva::worldgen {
namespace {

TEST(Playthrough, FromANewGameToTheEndingWithEveryItemAndMemoAndNoMiss) {
  moriva::test::TempFolder folder;
  SourceErrors errors;
  const WorldTiles world = CompileWorld(MORIVA_WORLD_SOURCE_DIR, errors);
  ASSERT_TRUE(errors.empty()) << errors[0].Text();
  ASSERT_EQ(WriteMapFile(world, folder.file("mapdata.dat")), "");
  std::ifstream in(std::string(MORIVA_WORLD_SOURCE_DIR) + "/playthrough.replay");
  ReplayScript script;
  ReplayScriptError error;
  ASSERT_TRUE(ParseReplayScript(in, script, error)) << error.line << ": " << error.message;

  ReplayRunner runner(folder.path());
  std::set<int> owned;
  int misses = 0;
  runner.onFrame = [&](long, const Game& game) {
    const GameState& st = game.state();
    for (int item = 0; item < 10; ++item) {
      if (st.HaveItem[item] != 0) owned.insert(item);
    }
    misses = 0;
    for (const auto& column : st.MissCount) misses += std::accumulate(column.begin(), column.end(), 0);
  };
  std::ostringstream trace;
  std::string message;
  ASSERT_EQ(runner.Run(script, trace, message), 0) << message;

  // Every item (0..9) and memo (101..106) shown in its dialog, then the ending.
  std::set<int> dialogs;
  const std::string text = trace.str();
  const std::regex dialog("\"dialog (-?[0-9]+)\"");
  for (std::sregex_iterator it(text.begin(), text.end(), dialog), last; it != last; ++it) {
    dialogs.insert(std::stoi((*it)[1]));
  }
  for (int content : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 101, 102, 103, 104, 105, 106}) {
    EXPECT_TRUE(dialogs.count(content)) << content;
  }
  EXPECT_EQ(owned.size(), 10u);
  EXPECT_EQ(misses, 0);
  EXPECT_NE(text.find("{\"end\": \"ending\""), std::string::npos) << text.substr(text.rfind('{'));
}

}  // namespace
}  // namespace moriva::worldgen
