#include "editor/EditorGeometry.h"

#include <gtest/gtest.h>

namespace moriva {
namespace {

struct ArrowCase { const char* name; int arrow; ViewOffsets from; ViewOffsets to; };

class ArrowJumpTest : public ::testing::TestWithParam<ArrowCase> {};

TEST_P(ArrowJumpTest, JumpsToTheEdgeAndClampsTheOther) {
  EXPECT_EQ(ArrowJump(GetParam().arrow, GetParam().from), GetParam().to);
}

INSTANTIATE_TEST_SUITE_P(
    Arrows, ArrowJumpTest,
    ::testing::Values(ArrowCase{"RightFromLaidOut", kArrowRight, {20, 8}, {-1280, 0}},
                      ArrowCase{"LeftFromLaidOut", kArrowLeft, {20, 8}, {0, 0}},
                      ArrowCase{"DownFromLaidOut", kArrowDown, {20, 8}, {0, -1280}},
                      ArrowCase{"LeftKeepsTop", kArrowLeft, {-1280, -600}, {0, -600}},
                      ArrowCase{"UpKeepsLeft", kArrowUp, {-300, -1280}, {-300, 0}}),
    [](const ::testing::TestParamInfo<ArrowCase>& p) { return std::string(p.param.name); });

TEST(CentreOn, RightPressAt100By1500ClampsBothOffsets) {
  const ViewOffsets v = CentreOn(100, 1500);
  EXPECT_EQ(v, (ViewOffsets{0, -1280}));
  EXPECT_EQ(ViewText(v), "(X,Y)=(0,-1280)");
  EXPECT_EQ(CentreOn(800, 700), (ViewOffsets{-640, -540}));
  EXPECT_EQ(ViewText({-1280, 0}), "(X,Y)=(-1280,0)");
}

struct PlaceCase { const char* name; std::optional<Cell> (*where)(double, double); double x, y; std::optional<Cell> cell; };

class PlaceTest : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(PlaceTest, NamesTheCellOrNothingOutside) {
  EXPECT_EQ(GetParam().where(GetParam().x, GetParam().y), GetParam().cell);
}

INSTANTIATE_TEST_SUITE_P(
    Places, PlaceTest,
    ::testing::Values(PlaceCase{"BlockCell33By64", BlockCellAt, 33, 64, Cell{1, 2}},
                      PlaceCase{"BlockLastCell", BlockCellAt, 1599, 1599, Cell{49, 49}},
                      PlaceCase{"BlockHalfRoundsToEvenInside", BlockCellAt, 31.5, 0, Cell{1, 0}},
                      PlaceCase{"BlockLeftOfSurface", BlockCellAt, -5, 10, std::nullopt},
                      PlaceCase{"BlockRoundsOut", BlockCellAt, 1599.6, 0, std::nullopt},
                      PlaceCase{"Overview27By41", OverviewBlockAt, 27, 41, Cell{2, 4}},
                      PlaceCase{"OverviewAt50", OverviewBlockAt, 50, 10, std::nullopt},
                      PlaceCase{"OverviewNegative", OverviewBlockAt, -3, 10, std::nullopt},
                      PlaceCase{"Sheet70By40", SheetTileAt, 70, 40, Cell{2, 1}},
                      PlaceCase{"SheetLastTile", SheetTileAt, 255, 767, Cell{7, 23}},
                      PlaceCase{"SheetRightOf", SheetTileAt, 256, 0, std::nullopt},
                      PlaceCase{"SheetBelow", SheetTileAt, 0, 768, std::nullopt}),
    [](const ::testing::TestParamInfo<PlaceCase>& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace moriva
