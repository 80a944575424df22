#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <tuple>
#include <vector>

#include "replay/PlaySnapshot.h"
#include "replay/ReplayRunner.h"
#include "replay/RouteReport.h"
#include "support/PhysicsRig.h"
#include "support/TempFolder.h"
#include "world/MapFile.h"

namespace moriva {
namespace {

using test::WorldBuilder;

constexpr std::uint8_t kRock = 96;
constexpr std::uint16_t kBlueKey = 1u << 0;

// A search of a small world: one block filled with rock, the room written into it from
// column 2 and the given row.
struct CheckedWorld {
  CheckedWorld(int bx, int by, int row, std::initializer_list<std::string_view> rows) : bx(bx), by(by) {
    world.Map = WorldBuilder().Fill(bx, by, kRock).Put(bx, by, 2, row, rows).Map();
  }

  // Starts standing on tile (col, row) of the block.
  RouteSearchResult Search(int col, int row, std::vector<int> items = {}, bool stopAtEnding = false) {
    options.start = ReplayScript::Start{static_cast<std::int16_t>(bx), static_cast<std::int16_t>(by),
                                        WorldBuilder::StandX(col), WorldBuilder::StandY(row)};
    options.items = std::move(items);
    options.stopAtEnding = stopAtEnding;
    return RouteSearch(world, tiles, tiles, folder.path()).Run(options);
  }

  BoxReach Box(const RouteSearchResult& r, int col, int row) const {
    for (const BoxReach& b : r.boxes)
      if (b.blockX == bx && b.blockY == by && b.cellX == col && b.cellY == row) return b;
    ADD_FAILURE() << "no box at " << col << "," << row;
    return {};
  }

  int bx, by;
  basMoriva world;
  Surface tiles{kSheetWidth, kSheetHeight};
  test::TempFolder folder;
  RouteSearchOptions options;
};

TEST(WorldCheck, APitWithNoWayOutIsReportedAsStranding) {
  CheckedWorld w(1, 0, 41,
                 {"............",
                  "............",
                  "............",
                  "######...###",
                  "######...###",
                  "######...###",
                  "######...###"});
  const RouteSearchResult r = w.Search(3, 44);
  EXPECT_TRUE(r.exhausted);
  ASSERT_FALSE(r.strandings.empty());
  // Every place reported lies at the bottom of the pit: nothing on the ledges is a trap.
  for (const Stranding& s : r.strandings) {
    EXPECT_EQ(std::pair(s.blockX, s.blockY), std::pair(1, 0));
    for (auto [cx, cy] : s.cells) EXPECT_TRUE(cx >= 8 && cx <= 10 && cy >= 44 && cy <= 47) << cx << "," << cy;
  }
}

// Block (2, 2): the left room's box holds the blue key, a box walled in hangs under its
// ceiling, and the blue door is the only way to the right room and the goal.
CheckedWorld DoorWorld() {
  return CheckedWorld(2, 2, 42,
                      {"...###.#........",
                       "...#B#.#........",
                       "...###.#........",
                       ".......#........",
                       ".......#........",
                       "B......b....B...",
                       "##############G"});
}

TEST(WorldCheck, ADoorBeforeItsKeyIsPassedOnlyWithTheKeyABoxWalledInNever) {
  CheckedWorld w = DoorWorld();
  const RouteSearchResult r = w.Search(6, 48, {8, 9});
  EXPECT_TRUE(r.exhausted);
  EXPECT_FALSE(w.Box(r, 6, 43).reached);
  const BoxReach key = w.Box(r, 2, 47), beyond = w.Box(r, 14, 47);
  EXPECT_EQ(std::pair(key.reached, key.content), std::pair(true, 0));
  // The key is owned beyond the door: the block's box gives nothing more.
  EXPECT_EQ(std::tuple(beyond.reached, (beyond.items & kBlueKey) != 0, beyond.content), std::tuple(true, true, -1));
  EXPECT_GT(beyond.frames, key.frames);
  EXPECT_TRUE(r.endingReached);
  EXPECT_GT(r.endingFrames, key.frames);
}

TEST(WorldCheck, TheRouteOfAFinishedWorldReplaysToTheEnding) {
  CheckedWorld w = DoorWorld();
  const RouteSearchResult r = w.Search(6, 48, {8, 9}, true);
  ASSERT_TRUE(r.endingReached);
  ASSERT_TRUE(SaveMap(MapFilePath(w.folder.path()), w.world.Map).ok);
  std::ostringstream route;
  WriteRouteScript(route, w.options, r);
  std::ofstream(w.folder.file("route.txt")) << route.str();
  std::ostringstream trace, err;
  ASSERT_EQ(RunReplayCommand(w.folder.path(), w.folder.file("route.txt"), "", trace, err), 0) << err.str();
  const std::string text = trace.str();
  EXPECT_EQ(text.substr(text.rfind('{', text.size() - 2)),  // the last line
            "{\"end\": \"ending\", \"frames\": " + std::to_string(r.endingFrames) + "}\n");
  EXPECT_NE(text.find("\"dialog 0\""), std::string::npos);  // the key was taken on the way

  // Followed, the route is among the states found up to its last move.
  ReplayScriptError bad;
  std::istringstream in(route.str());
  ASSERT_TRUE(ParseReplayScript(in, w.options.follow.emplace(), bad)) << bad.message;
  const FollowReach kept = w.Search(6, 48, {8, 9}, true).follow;
  EXPECT_EQ(kept.scriptFrames, r.endingFrames);
  EXPECT_GE(kept.lastKept, r.endingFrames - static_cast<long>(r.route.back().frames));
}

using Cells = std::vector<std::tuple<int, int, std::uint8_t>>;

// The search's key of block (0, 0) (a blue door three tiles tall, a crumbling floor four
// tiles wide, two boxes) after the given cells changed at run time.
std::uint64_t KeyWith(const Cells& changed) {
  test::WorldBuilder world;
  world.Floor(0, 0, 30).Put(0, 0, 10, 20, {"b", "b", "b"}).Put(0, 0, 12, 25, {"cccc"}).Put(0, 0, 20, 29, {"BB"});
  test::PhysicsRig rig(world);
  rig.Start(0, 0, test::WorldBuilder::StandX(2), test::WorldBuilder::StandY(30));
  for (auto [x, y, code] : changed) rig.state().BlockTiles(x, y) = code;
  SnapshotPool pool;
  std::uint64_t hash = 0;
  pool.Capture(rig.game(), &hash);
  return hash;
}

TEST(RouteKey, MergesOnlyWhatDoesNotMatterForTheWayOn) {
  const struct { const char* name; Cells a, b; bool merged; } cases[] = {
      {"any opened cell of a door", {{10, 20, 0}}, {{10, 22, 0}, {10, 21, 0}}, true},
      {"an opened door and a closed one", {}, {{10, 20, 0}}, false},
      {"equal wear on other bricks", {{12, 25, 145}, {13, 25, 145}}, {{15, 25, 146}}, true},
      {"more wear", {{12, 25, 145}}, {{12, 25, 146}}, false},
      {"a gone brick and a cracked one", {{12, 25, 0}}, {{12, 25, 147}}, false},
      {"one opened box or the other", {{20, 29, 0}}, {{21, 29, 0}}, false}};
  for (const auto& c : cases) EXPECT_EQ(KeyWith(c.a) == KeyWith(c.b), c.merged) << c.name;
}

TEST(RouteReport, BoxesStrandingsAndTheSummaryAsJsonLines) {
  RouteSearchResult r;
  r.boxes = {{2, 4, 9, 47, true, 35, 0, 102}, {1, 0, 16, 46, false}, {0, 4, 3, 46, true, 755, (1u << 4) | (1u << 7), 1}};
  r.blocks = {{2, 4, true, 0, 0}, {1, 4, true, 60, 1u << 4}, {4, 4, false}};
  r.strandings.push_back({1, 0, {{8, 47}, {9, 47}}, 1u << 4, 120});
  r.endingReached = true, r.endingFrames = 5000, r.states = 1234, r.expanded = 1200, r.framesRun = 99999;
  r.seconds = 12.7, r.memoryBytes = 3u << 20;
  std::ostringstream out;
  WriteCheckReport(out, r);
  EXPECT_EQ(out.str(),
            "{\"box\": [2, 4, 9, 47], \"reached\": true, \"content\": 102, \"items\": [], \"frames\": 35}\n"
            "{\"box\": [1, 0, 16, 46], \"reached\": false}\n"
            "{\"box\": [0, 4, 3, 46], \"reached\": true, \"content\": 1, \"items\": [4, 7], \"frames\": 755}\n"
            "{\"block\": [2, 4], \"reached\": true, \"items\": [], \"frames\": 0}\n"
            "{\"block\": [1, 4], \"reached\": true, \"items\": [4], \"frames\": 60}\n"
            "{\"block\": [4, 4], \"reached\": false}\n"
            "{\"stranded\": [1, 0], \"cells\": [[8, 47], [9, 47]], \"items\": [4], \"frames\": 120}\n"
            "{\"ending\": true, \"frames\": 5000, \"states\": 1234, \"expanded\": 1200, \"framesRun\": 99999, "
            "\"exhausted\": false, \"seconds\": 12, \"memoryMB\": 3}\n");
}

}  // namespace
}  // namespace moriva
