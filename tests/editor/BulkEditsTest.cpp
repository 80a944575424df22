#include "editor/BulkEdits.h"

#include <gtest/gtest.h>

#include <vector>

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

// Where a block's edge reads its neighbours: cells as (x, y, code) in world cells.
TEST(EdgeBlock, ReadsNeighboursAcrossTheBlocksEdgesFromASnapshot) {
  struct CellCode { int x, y, code; };
  struct Case {
    const char* name;
    int bx, by;
    std::vector<CellCode> given, expected;
    long changed;
  } const cases[] = {
      // Corner patterns at local column 0 and row 0 of block (2, 3), neighbours in the blocks left and above.
      {"the first column and row never change", 2, 3,
       {{100, 155, G}, {100, 154, R}, {99, 155, R}, {105, 150, G}, {105, 149, R}, {104, 150, R}},
       {{100, 155, G}, {105, 150, G}}, 0},
      {"the last column looks into the next block", 0, 0, {{49, 10, G}, {49, 9, R}, {50, 10, R}}, {{49, 10, 10}}, 1},
      // Right and down of (249, 249) lie in the spare column and row: an up-left corner, not more.
      {"beyond the world reads zero", 4, 4, {{249, 249, R}, {249, 248, G}, {248, 249, G}}, {{249, 249, 89}}, 1},
      // (60, 60) becomes a corner; the rock right of it must still see ground on its left.
      {"the snapshot makes visit order irrelevant", 1, 1,
       {{60, 60, G}, {60, 59, G}, {59, 60, G}, {61, 60, R}, {61, 59, G}, {60, 61, R}},
       {{60, 60, 2}, {61, 60, 89}}, 2},
  };
  for (const Case& c : cases) {
    MapGrid map;
    for (const CellCode& g : c.given) map(g.x, g.y) = static_cast<std::uint8_t>(g.code);
    EXPECT_EQ(EdgeBlock(map, c.bx, c.by), c.changed) << c.name;
    for (const CellCode& e : c.expected) EXPECT_EQ(map(e.x, e.y), e.code) << c.name << " at " << e.x << "," << e.y;
  }
}

}  // namespace
}  // namespace moriva
