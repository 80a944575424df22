#include "editor/BulkEdits.h"

#include <gtest/gtest.h>

namespace moriva {
namespace {

constexpr std::uint8_t G = kEdgeGround;
constexpr std::uint8_t R = kEdgeRock;

// Also run through a whole block, so the snapshot and the neighbour directions are checked.
TEST(EdgeCode, WritesTheLastCornerThatHolds) {
  struct Case {
    const char* name;
    std::uint8_t centre, up, down, left, right, written;
  } const cases[] = {{"ground up-left", G, R, 0, R, 0, 11},
                     {"ground up-right", G, R, 0, 0, R, 10},
                     {"ground down-right", G, 0, R, 0, R, 2},
                     {"ground down-left", G, 0, R, R, 0, 3},
                     {"ground up-left and up-right: the second wins", G, R, 0, R, R, 10},
                     {"ground all four: the last wins", G, R, R, R, R, 3},
                     {"ground one neighbour", G, R, 0, 0, 0, G},
                     {"rock up-left", R, G, 0, G, 0, 89},
                     {"rock up-right", R, G, 0, 0, G, 88},
                     {"rock down-right", R, 0, G, 0, G, 80},
                     {"rock down-left", R, 0, G, G, 0, 81},
                     {"rock two corners stays rock", R, G, 0, G, G, R},
                     {"other code unchanged", 5, R, R, R, R, 5}};
  for (const Case& c : cases) {
    EXPECT_EQ(EdgeCode(c.centre, c.up, c.down, c.left, c.right), c.written) << c.name;
    MapGrid map;
    const int x = 60, y = 70;  // inside block (1, 1)
    map(x, y) = c.centre, map(x, y - 1) = c.up, map(x, y + 1) = c.down, map(x - 1, y) = c.left, map(x + 1, y) = c.right;
    EdgeBlock(map, 1, 1);
    EXPECT_EQ(map(x, y), c.written) << c.name;
  }
}

TEST(EdgeBlock, NeverChangesTheBlocksFirstColumnOrRow) {
  MapGrid map;
  // Corner patterns at local column 0 and row 0 of block (2, 3), with their neighbours in
  // the blocks to the left and above.
  const int x0 = 100, y0 = 150;
  for (auto [x, y] : {std::pair{x0, y0 + 5}, std::pair{x0 + 5, y0}}) {
    map(x, y) = G, map(x, y - 1) = R, map(x - 1, y) = R;
  }
  const MapGrid before = map;
  EXPECT_EQ(EdgeBlock(map, 2, 3), 0);
  EXPECT_EQ(map, before);
}

TEST(EdgeBlock, LastColumnAndRowLookIntoTheNeighbours) {
  MapGrid map;
  map(49, 10) = G, map(49, 9) = R;  // block (0, 0), local column 49
  map(50, 10) = R;                   // first column of block (1, 0)
  EdgeBlock(map, 0, 0);
  EXPECT_EQ(map(49, 10), 10);
}

TEST(EdgeBlock, BeyondTheWorldReadsZero) {
  MapGrid map;
  // Block (4, 4): a rock cell at local (49, 49) whose right and down neighbours lie in the
  // spare column and row; with ground up and left it is an up-left corner, not more.
  map(249, 249) = R, map(249, 248) = G, map(248, 249) = G;
  EdgeBlock(map, 4, 4);
  EXPECT_EQ(map(249, 249), 89);
}

TEST(EdgeBlock, ReadsTheSnapshotSoVisitOrderDoesNotMatter) {
  MapGrid map;
  // Ground (60, 60) becomes a corner (rock below and right); the rock to its right must
  // still see ground on its left.
  map(60, 60) = G, map(60, 59) = G, map(59, 60) = G;
  map(61, 60) = R, map(61, 59) = G, map(60, 61) = R;
  EdgeBlock(map, 1, 1);
  EXPECT_EQ(map(60, 60), 2);
  // Rock (61, 60): up G, left G -> 89 from the snapshot, whatever (60, 60) became.
  EXPECT_EQ(map(61, 60), 89);
}

}  // namespace
}  // namespace moriva
