#include <gtest/gtest.h>

#include <array>
#include <queue>
#include <string>
#include <vector>

#include "replay/RouteCellTries.h"
#include "replay/RouteQueueEntry.h"

namespace moriva {
namespace {

// Each case: the entry tried first, then the other (items, pass, sample, frames, node).
struct OrderCase {
  const char* name;
  RouteQueueEntry first, second;
};

class RouteQueueOrder : public testing::TestWithParam<OrderCase> {};

TEST_P(RouteQueueOrder, TriesTheFirstBeforeTheSecond) {
  const OrderCase& c = GetParam();
  for (bool swap : {false, true}) {
    std::priority_queue<RouteQueueEntry> open;
    open.push(swap ? c.second : c.first);
    open.push(swap ? c.first : c.second);
    EXPECT_EQ(open.top().node, c.first.node);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Route, RouteQueueOrder,
    testing::Values(OrderCase{"MoreItemsBeforeALessTriedCell", {3, 9, 1, 900, 1}, {2, 0, 0, 10, 2}},
                    OrderCase{"ALessTriedCellBeforeAFirstSample", {2, 0, 1, 900, 1}, {2, 1, 0, 10, 2}},
                    OrderCase{"AFirstSampleBeforeAShorterRoute", {2, 1, 0, 900, 1}, {2, 1, 1, 10, 2}},
                    OrderCase{"TheShorterRouteLast", {2, 1, 1, 10, 1}, {2, 1, 1, 11, 2}}),
    [](const testing::TestParamInfo<OrderCase>& p) { return std::string(p.param.name); });

// Each case: a cell tried `times` times, then the pass of another place (block x, y, cell x,
// y, items); the tried cell is (1, 2, 10, 20) with items 0 and 1, or its edge when outside.
struct TriesCase {
  const char* name;
  int times, cellX, cellY;
  std::array<int, 5> asked;
  std::uint32_t pass;
};

class RouteCellPasses : public testing::TestWithParam<TriesCase> {};

TEST_P(RouteCellPasses, CountOnlyTheSameCellWithTheSameItems) {
  const TriesCase& c = GetParam();
  RouteCellTries tries;
  for (int i = 0; i < c.times; ++i) tries.Count(1, 2, c.cellX, c.cellY, 0b11);
  const auto& a = c.asked;
  EXPECT_EQ(tries.PassOf(a[0], a[1], a[2], a[3], static_cast<std::uint16_t>(a[4])), c.pass);
}

INSTANTIATE_TEST_SUITE_P(
    Route, RouteCellPasses,
    testing::Values(TriesCase{"ThreeTriesStayInTheFirstPass", 3, 10, 20, {1, 2, 10, 20, 0b11}, 0},
                    TriesCase{"NineTriesMakeTwoPasses", 9, 10, 20, {1, 2, 10, 20, 0b11}, 2},
                    TriesCase{"OtherItemsCountApart", 9, 10, 20, {1, 2, 10, 20, 0b111}, 0},
                    TriesCase{"TheSameCellOfAnotherBlockCountsApart", 9, 10, 20, {2, 1, 10, 20, 0b11}, 0},
                    TriesCase{"OutsideTheBlockCountsAsItsEdge", 4, -1, 255, {1, 2, 0, 49, 0b11}, 1}),
    [](const testing::TestParamInfo<TriesCase>& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace moriva
