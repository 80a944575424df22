#include "editor/EditorGeometry.h"

#include <gtest/gtest.h>

namespace moriva {
namespace {

TEST(EditorGeometry, ArrowsJumpToTheEdgeAndKeepTheOtherOffset) {
  struct Case {
    const char* name;
    int arrow;
    ViewOffsets from, to;
  } const cases[] = {{"right from laid out", kArrowRight, {20, 8}, {-1280, 0}},
                     {"left from laid out", kArrowLeft, {20, 8}, {0, 0}},
                     {"down from laid out", kArrowDown, {20, 8}, {0, -1280}},
                     {"left keeps the top", kArrowLeft, {-1280, -600}, {0, -600}},
                     {"up keeps the left", kArrowUp, {-300, -1280}, {-300, 0}}};
  for (const Case& c : cases) EXPECT_EQ(ArrowJump(c.arrow, c.from), c.to) << c.name;
}

// Centring on (100, 1500), clamped on both sides, is the editor's right press.
TEST(EditorGeometry, CentreOnInsideTheBlock) { EXPECT_EQ(CentreOn(800, 700), (ViewOffsets{-640, -540})); }

// Places inside, as 33 by 64 on the block, are the editor's tests.
TEST(EditorGeometry, PlacesNameTheirCellOrNothingOutside) {
  struct Case {
    const char* name;
    std::optional<Cell> (*where)(double, double);
    double x, y;
    std::optional<Cell> cell;
  } const cases[] = {{"block's last cell", BlockCellAt, 1599, 1599, Cell{49, 49}},
                     {"block half rounds to even inside", BlockCellAt, 31.5, 0, Cell{1, 0}},
                     {"left of the block", BlockCellAt, -5, 10, std::nullopt},
                     {"block rounds out", BlockCellAt, 1599.6, 0, std::nullopt},
                     {"overview at 50", OverviewBlockAt, 50, 10, std::nullopt},
                     {"overview negative", OverviewBlockAt, -3, 10, std::nullopt},
                     {"sheet's last tile", SheetTileAt, 255, 767, Cell{7, 23}},
                     {"right of the sheet", SheetTileAt, 256, 0, std::nullopt},
                     {"below the sheet", SheetTileAt, 0, 768, std::nullopt}};
  for (const Case& c : cases) EXPECT_EQ(c.where(c.x, c.y), c.cell) << c.name;
}

}  // namespace
}  // namespace moriva
