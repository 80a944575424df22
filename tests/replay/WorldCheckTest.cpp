#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "platform/Surface.h"
#include "replay/ReplayRunner.h"
#include "replay/RouteReport.h"
#include "replay/RouteSearch.h"
#include "support/TempFolder.h"
#include "support/WorldBuilder.h"
#include "world/MapFile.h"
#include "world/basMoriva.h"

namespace moriva {
namespace {

using test::WorldBuilder;

constexpr std::uint8_t kRock = 96;
constexpr std::uint16_t kBlueKey = 1u << 0;

// A search of a small world: one block filled with rock, the rooms written into it.
struct CheckedWorld {
  CheckedWorld(int bx, int by, int row, std::initializer_list<std::string_view> rows) : bx_(bx), by_(by) {
    builder.Fill(bx, by, kRock).Put(bx, by, 1, row, rows);
    world.Map = builder.Map();
  }

  // Starts standing on tile (col, row) of the block.
  RouteSearchResult Search(int col, int row, std::vector<int> items = {}, bool stopAtEnding = false) {
    options.start = ReplayScript::Start{static_cast<std::int16_t>(bx_), static_cast<std::int16_t>(by_),
                                        WorldBuilder::StandX(col), WorldBuilder::StandY(row)};
    options.items = std::move(items);
    options.stopAtEnding = stopAtEnding;
    RouteSearch search(world, tiles, sprites, folder.path());
    return search.Run(options);
  }

  const BoxReach* BoxAt(const RouteSearchResult& r, int col, int row) const {
    for (const BoxReach& b : r.boxes)
      if (b.blockX == bx_ && b.blockY == by_ && b.cellX == col && b.cellY == row) return &b;
    return nullptr;
  }

  WorldBuilder builder;
  basMoriva world;
  Surface tiles{kSheetWidth, kSheetHeight};
  Surface sprites{kSheetWidth, kSheetHeight};
  test::TempFolder folder;
  RouteSearchOptions options;

 private:
  int bx_, by_;
};

// Block (1, 0) holds an empty box; the room's columns start at 1, its rows at 41.
TEST(WorldCheck, AWalledInBoxIsReportedUnreachable) {
  CheckedWorld w(1, 0, 41,
                 {"#####################",
                  "#...................#",
                  "#...................#",
                  "#...................#",
                  "#.............###...#",
                  "#.............#B#...#",
                  "#.....B.......###...#",
                  "#####################"});
  const RouteSearchResult r = w.Search(3, 48);
  EXPECT_TRUE(r.exhausted);
  EXPECT_FALSE(r.endingReached);
  const BoxReach* open = w.BoxAt(r, 7, 47);
  const BoxReach* walled = w.BoxAt(r, 16, 46);
  ASSERT_NE(open, nullptr);
  ASSERT_NE(walled, nullptr);
  EXPECT_TRUE(open->reached);
  EXPECT_EQ(open->content, -1);
  EXPECT_FALSE(walled->reached);
}

TEST(WorldCheck, APitWithNoWayOutIsReportedAsStranding) {
  CheckedWorld w(1, 0, 40,
                 {"##############",
                  "#............#",
                  "#............#",
                  "#............#",
                  "#######...####",
                  "#######...####",
                  "#######...####",
                  "#######...####",
                  "##############"});
  const RouteSearchResult r = w.Search(3, 44);
  EXPECT_TRUE(r.exhausted);
  ASSERT_FALSE(r.strandings.empty());
  // Every place reported lies at the bottom of the pit: nothing on the ledges is a trap.
  for (const Stranding& s : r.strandings) {
    EXPECT_EQ(s.blockX, 1);
    EXPECT_EQ(s.blockY, 0);
    for (auto [cx, cy] : s.cells) {
      EXPECT_TRUE(cx >= 8 && cx <= 10) << cx << "," << cy;
      EXPECT_TRUE(cy >= 44 && cy <= 47) << cx << "," << cy;
    }
  }
}

// Block (2, 2)'s box holds the blue key; the blue door is the only way to the right.
CheckedWorld DoorWorld() {
  return CheckedWorld(2, 2, 41,
                      {"##################",
                       "#.......#........#",
                       "#.......#........#",
                       "#.......#........#",
                       "#.......#........#",
                       "#.......#........#",
                       "#B......b....B...#",
                       "###############G##"});
}

TEST(WorldCheck, ADoorBeforeItsKeyIsPassedOnlyWithTheKey) {
  CheckedWorld w = DoorWorld();
  const RouteSearchResult r = w.Search(6, 48, {8, 9});
  const BoxReach* key = w.BoxAt(r, 2, 47);
  const BoxReach* beyond = w.BoxAt(r, 14, 47);
  ASSERT_NE(key, nullptr);
  ASSERT_NE(beyond, nullptr);
  ASSERT_TRUE(key->reached);
  EXPECT_EQ(key->content, 0);
  ASSERT_TRUE(beyond->reached);
  EXPECT_TRUE(beyond->items & kBlueKey);
  EXPECT_EQ(beyond->content, -1);  // the key is owned: the block's box gives nothing more
  EXPECT_GT(beyond->frames, key->frames);
  EXPECT_TRUE(r.endingReached);
  EXPECT_GT(r.endingFrames, key->frames);
}

ReplayScript ParsedScript(const std::string& text) {
  std::istringstream in(text);
  ReplayScript script;
  ReplayScriptError bad;
  EXPECT_TRUE(ParseReplayScript(in, script, bad)) << bad.line << ": " << bad.message;
  return script;
}

TEST(WorldCheck, TheRouteOfAFinishedWorldReplaysToTheEnding) {
  CheckedWorld w = DoorWorld();
  const RouteSearchResult r = w.Search(6, 48, {8, 9}, true);
  ASSERT_TRUE(r.endingReached);
  ASSERT_TRUE(SaveMap(MapFilePath(w.folder.path()), w.world.Map).ok);
  std::ostringstream route;
  WriteRouteScript(route, w.options, r);
  const std::string scriptPath = w.folder.file("route.txt");
  std::ofstream(scriptPath) << route.str();
  std::ostringstream trace, err;
  ASSERT_EQ(RunReplayCommand(w.folder.path(), scriptPath, "", trace, err), 0) << err.str();
  const std::string text = trace.str();
  const std::string last = text.substr(text.rfind('{', text.size() - 2));
  EXPECT_EQ(last, "{\"end\": \"ending\", \"frames\": " + std::to_string(r.endingFrames) + "}\n");
  EXPECT_NE(text.find("\"dialog 0\""), std::string::npos);  // the key was taken on the way

  // Followed, the route is among the states found up to its last move; a route in a block
  // the search never enters is lost from its first frame.
  w.options.follow = ParsedScript(route.str());
  const FollowReach kept = w.Search(6, 48, {8, 9}, true).follow;
  EXPECT_EQ(kept.scriptFrames, r.endingFrames);
  EXPECT_GE(kept.lastKept, r.endingFrames - static_cast<long>(r.route.back().frames));
  w.options.follow = ParsedScript("start 0 0 200 200\nframes 20\n");
  EXPECT_EQ(w.Search(6, 48, {8, 9}, true).follow.lastKept, 0);
}

}  // namespace
}  // namespace moriva
