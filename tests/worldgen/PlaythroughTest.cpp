// The shipped world played from a new game to the ending by the script kept with its
// sources, through the real frame code: a world that can no longer be finished fails here.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "MapFileIo.h"
#include "WorldSource.h"
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
  std::ostringstream trace;
  std::string message;
  ASSERT_EQ(ReplayRunner(folder.path()).Run(script, trace, message), 0) << message;

  // Every item (0..9) and memo (101..106) shown in its dialog, then the ending.
  const std::string text = trace.str();
  std::set<int> dialogs;
  const std::regex dialog("\"dialog ([0-9]+)\"");  // not "dialog -1", an empty box's
  for (std::sregex_iterator it(text.begin(), text.end(), dialog), last; it != last; ++it) dialogs.insert(std::stoi((*it)[1]));
  EXPECT_EQ(dialogs, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 101, 102, 103, 104, 105, 106}));
  // The last frame: all ten items owned, and not one miss in any block.
  const std::string last = text.substr(text.rfind("{\"frame\""));
  EXPECT_NE(last.find("\"HaveItem\": [1, 1, 1, 1, 1, 1, 1, 1, 1, 1]"), std::string::npos) << last;
  const std::regex noMiss("\"MissCount\": \\[(\\[0, 0, 0, 0, 0\\](, )?){5}\\]");
  EXPECT_TRUE(std::regex_search(last, noMiss)) << last;
  EXPECT_NE(text.find("{\"end\": \"ending\""), std::string::npos) << text.substr(text.rfind('{'));
}

}  // namespace
}  // namespace moriva::worldgen
