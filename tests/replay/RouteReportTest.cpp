#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "replay/PlaySnapshot.h"
#include "replay/RouteMoves.h"
#include "replay/RouteReport.h"

namespace moriva {
namespace {

std::uint16_t MoveNumber(const std::string& name) {
  const auto moves = AllRouteMoves();
  for (std::size_t i = 0; i < moves.size(); ++i)
    if (name == moves[i].name) return static_cast<std::uint16_t>(i);
  ADD_FAILURE() << "no move " << name;
  return 0;
}

TEST(RouteReport, BoxesStrandingsAndTheSummaryAsJsonLines) {
  RouteSearchResult r;
  r.boxes.push_back({2, 4, 9, 47, true, 35, 0, 102});
  r.boxes.push_back({1, 0, 16, 46, false});
  r.boxes.push_back({0, 4, 3, 46, true, 755, (1u << 4) | (1u << 7), 1});
  r.blocks.push_back({2, 4, true, 0, 0});
  r.blocks.push_back({1, 4, true, 60, 1u << 4});
  r.blocks.push_back({4, 4, false});
  r.strandings.push_back({1, 0, {{8, 47}, {9, 47}}, 1u << 4, 120});
  r.endingReached = true;
  r.endingFrames = 5000;
  r.states = 1234;
  r.expanded = 1200;
  r.framesRun = 99999;
  r.seconds = 12.7;
  r.memoryBytes = 3u << 20;
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

// Frames count from 1; each phase presses its keys and releases what the phase before held.
TEST(RouteReport, ScriptNumbersTheFramesOfEveryPhase) {
  RouteSearchOptions options;
  options.start = ReplayScript::Start{1, 0, 96, 1504};
  options.items = {8, 9};
  RouteSearchResult r;
  r.endingReached = true;
  r.endingFrames = 12 + 9 + 150;
  r.route = {{MoveNumber("right"), 12}, {MoveNumber("jump left 5"), 9}, {MoveNumber("wait out"), 150}};
  std::ostringstream out;
  WriteRouteScript(out, options, r);
  EXPECT_EQ(out.str(),
            "# A route to the ending found by moriva-tool world check: 171 frames.\n"
            "title new\n"
            "start 1 0 96 1504\n"
            "items 8 9\n"
            "# right\n"
            "at 1 press Right\n"
            "# jump left 5\n"
            "at 13 release Right\n"
            "at 13 press Left Space\n"
            "at 18 release Space\n"
            "at 18 press Left\n"
            "# wait out\n"
            "at 22 release Left\n"
            "frames 171\n");
}

struct MovesCase {
  const char* name;
  PlaySnapshot at;
  std::size_t count;
  const char* includes;
  const char* excludes;
};

PlaySnapshot At(std::int16_t state, std::int16_t jumpFrames, std::uint16_t items = 0, std::int32_t countdown = 0,
                std::int32_t ropeRow = 0) {
  PlaySnapshot p;
  p.HeroState = state;
  p.JumpFrames = jumpFrames;
  p.items = items;
  p.Countdown = countdown;
  p.RopeRow = ropeRow;
  return p;
}

class MovesForSituation : public testing::TestWithParam<MovesCase> {};

TEST_P(MovesForSituation, OffersTheMovesThatCanDoSomething) {
  const MovesCase& c = GetParam();
  std::uint16_t moves[64];
  const int n = MovesFor(c.at, moves, 64);
  EXPECT_EQ(static_cast<std::size_t>(n), c.count);
  const auto offered = [&](const char* name) {
    return std::find(moves, moves + n, MoveNumber(name)) != moves + n;
  };
  EXPECT_TRUE(offered(c.includes)) << c.includes;
  if (*c.excludes) {
    EXPECT_FALSE(offered(c.excludes)) << c.excludes;
  }
}

constexpr std::uint16_t kShoes = 1u << 5, kRope = 1u << 7;

INSTANTIATE_TEST_SUITE_P(
    RouteMoves, MovesForSituation,
    testing::Values(
        // Walks (4), wait, and jumps held 1, 3, 5, 7 frames three ways.
        MovesCase{"OnTheGround", At(0, 0), 5 + 12, "jump right 7", "jump right 9"},
        MovesCase{"OnTheGroundWithTheShoes", At(0, 0, kShoes), 5 + 15, "jump left 9", "rope"},
        MovesCase{"OnTheGroundWithTheRope", At(0, 0, kRope), 5 + 12 + 1, "rope", ""},
        MovesCase{"FallingWithoutLift", At(0, 999), 3, "drift left", "jump 1"},
        MovesCase{"RisingWithLiftLeft", At(0, 3), 3 + 12, "jump 1", "left"},
        MovesCase{"OnALadder", At(1, 1), 8, "climb up right", "jump 1"},
        MovesCase{"Swimming", At(2, 0), 6, "swim up left", ""},
        MovesCase{"Floating", At(3, 3), 6, "sink", ""},
        MovesCase{"OnTheRope", At(1, 0, kRope, 0, 12), 3, "ride right", "climb up"},
        MovesCase{"DuringAMiss", At(92, 0, 0, 40), 1, "wait out", "wait"}),
    [](const testing::TestParamInfo<MovesCase>& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace moriva
