#include <gtest/gtest.h>

#include <queue>
#include <string>
#include <vector>

#include "replay/RouteCellTries.h"
#include "replay/RouteQueueEntry.h"

namespace moriva {
namespace {

struct OrderCase {
  const char* name;
  RouteQueueEntry first, second;
};

class RouteQueueOrder : public testing::TestWithParam<OrderCase> {};

TEST_P(RouteQueueOrder, TriesTheFirstBeforeTheSecond) {
  const OrderCase& c = GetParam();
  for (bool firstPushedFirst : {true, false}) {
    std::priority_queue<RouteQueueEntry> open;
    open.push(firstPushedFirst ? c.first : c.second);
    open.push(firstPushedFirst ? c.second : c.first);
    EXPECT_EQ(open.top().node, c.first.node);
  }
}

// items, pass, sample, frames, node
INSTANTIATE_TEST_SUITE_P(
    Route, RouteQueueOrder,
    testing::Values(OrderCase{"MoreItemsBeforeALessTriedCell", {3, 9, 1, 900, 1}, {2, 0, 0, 10, 2}},
                    OrderCase{"ALessTriedCellBeforeAFirstSample", {2, 0, 1, 900, 1}, {2, 1, 0, 10, 2}},
                    OrderCase{"AFirstSampleBeforeAShorterRoute", {2, 1, 0, 900, 1}, {2, 1, 1, 10, 2}},
                    OrderCase{"TheShorterRouteLast", {2, 1, 1, 10, 1}, {2, 1, 1, 11, 2}}),
    [](const testing::TestParamInfo<OrderCase>& p) { return std::string(p.param.name); });

struct Place {
  int blockX, blockY, cellX, cellY;
  std::uint16_t items;
};

struct TriesCase {
  const char* name;
  std::vector<Place> tried;
  Place asked;
  std::uint32_t pass;
};

class RouteCellPasses : public testing::TestWithParam<TriesCase> {};

TEST_P(RouteCellPasses, CountOnlyTheSameCellWithTheSameItems) {
  const TriesCase& c = GetParam();
  RouteCellTries tries;
  for (const Place& p : c.tried) tries.Count(p.blockX, p.blockY, p.cellX, p.cellY, p.items);
  EXPECT_EQ(tries.PassOf(c.asked.blockX, c.asked.blockY, c.asked.cellX, c.asked.cellY, c.asked.items), c.pass);
}

const Place kCell{1, 2, 10, 20, 0b11};
const std::vector<Place> kThree(3, kCell), kFour(4, kCell), kNine(9, kCell);

INSTANTIATE_TEST_SUITE_P(
    Route, RouteCellPasses,
    testing::Values(TriesCase{"NeverTried", {}, kCell, 0},
                    TriesCase{"ThreeTriesStayInTheFirstPass", kThree, kCell, 0},
                    TriesCase{"FourTriesEndThePass", kFour, kCell, 1},
                    TriesCase{"NineTriesMakeTwoPasses", kNine, kCell, 2},
                    TriesCase{"OtherItemsCountApart", kNine, {1, 2, 10, 20, 0b111}, 0},
                    TriesCase{"TheNeighbourCellCountsApart", kNine, {1, 2, 11, 20, 0b11}, 0},
                    TriesCase{"TheSameCellOfAnotherBlock", kNine, {2, 1, 10, 20, 0b11}, 0},
                    TriesCase{"OutsideTheBlockCountsAsItsEdge", std::vector<Place>(4, {1, 2, -1, 255, 1}),
                              {1, 2, 0, 49, 1}, 1}),
    [](const testing::TestParamInfo<TriesCase>& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace moriva
