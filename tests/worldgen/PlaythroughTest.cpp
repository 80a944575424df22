// The shipped world played from a new game to the ending by the script kept with its
// sources, through the real frame code: a world that can no longer be finished fails here.
#include <gtest/gtest.h>

#include <algorithm>
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

constexpr int kItems = 10;
constexpr int kFirstMemo = 101;
constexpr int kLastMemo = 106;

struct Playthrough {
  std::string end;              // why play ended: "ending" when the goal countdown ran out
  long frames = 0;
  std::set<int> dialogs;        // every ItemNo an item dialog showed
  int itemsOwned = 0;
  int misses = 0;
};

Playthrough Play() {
  Playthrough result;
  moriva::test::TempFolder folder;
  SourceErrors errors;
  const WorldTiles world = CompileWorld(MORIVA_WORLD_SOURCE_DIR, errors);
  if (!errors.empty()) ADD_FAILURE() << errors[0].Text();
  const std::string written = WriteMapFile(world, folder.file("mapdata.dat"));
  if (!written.empty()) ADD_FAILURE() << written;

  std::ifstream in(std::string(MORIVA_WORLD_SOURCE_DIR) + "/playthrough.replay");
  ReplayScript script;
  ReplayScriptError error;
  if (!ParseReplayScript(in, script, error)) {
    ADD_FAILURE() << "playthrough.replay:" << error.line << ": " << error.message;
    return result;
  }
  ReplayRunner runner(folder.path());
  runner.onFrame = [&](long, const Game& game) {
    const GameState& st = game.state();
    result.itemsOwned = static_cast<int>(
        std::count_if(st.HaveItem.begin(), st.HaveItem.begin() + kItems, [](auto v) { return v != 0; }));
    result.misses = 0;
    for (const auto& column : st.MissCount) result.misses += std::accumulate(column.begin(), column.end(), 0);
  };
  std::ostringstream trace;
  std::string message;
  if (runner.Run(script, trace, message) != 0) ADD_FAILURE() << message;

  const std::regex dialog("\"dialog (-?[0-9]+)\"");
  const std::regex end("\\{\"end\": \"([a-z]+)\", \"frames\": ([0-9]+)\\}");
  std::istringstream lines(trace.str());
  for (std::string line; std::getline(lines, line);) {
    for (std::sregex_iterator it(line.begin(), line.end(), dialog), last; it != last; ++it) {
      result.dialogs.insert(std::stoi((*it)[1]));
    }
    std::smatch m;
    if (std::regex_match(line, m, end)) {
      result.end = m[1];
      result.frames = std::stol(m[2]);
    }
  }
  return result;
}

TEST(Playthrough, FromANewGameToTheEndingWithEveryItemAndMemoAndNoMiss) {
  const Playthrough run = Play();
  EXPECT_EQ(run.end, "ending") << "after " << run.frames << " frames";
  EXPECT_EQ(run.itemsOwned, kItems);
  for (int item = 0; item < kItems; ++item) EXPECT_TRUE(run.dialogs.count(item)) << "item " << item;
  for (int memo = kFirstMemo; memo <= kLastMemo; ++memo) {
    EXPECT_TRUE(run.dialogs.count(memo)) << "memo " << memo;
  }
  EXPECT_EQ(run.misses, 0);
}

}  // namespace
}  // namespace moriva::worldgen
