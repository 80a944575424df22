#include <gtest/gtest.h>

#include <QImage>
#include <QSet>

#include "AnimationTable.h"
#include "PictureSheets.h"
#include "TileRoles.h"

namespace moriva::pictures::testing {
namespace {

class TileSheet : public ::testing::Test {
 protected:
  void SetUp() override {
    raw = QImage(QStringLiteral(":/pictures/tiles.png"));
    tiles = Embedded(QStringLiteral("tiles"));
    sprites = Embedded(QStringLiteral("sprites"));
    ASSERT_FALSE(tiles.isNull());
  }
  QImage Tile(int code) const { return Cell(tiles, code); }
  QImage raw, tiles, sprites;
};

TEST_F(TileSheet, IsAnEightBitPaletteBitmap) {
  EXPECT_EQ(raw.format(), QImage::Format_Indexed8);
  EXPECT_LE(raw.colorCount(), 256);
  QSet<QRgb> colours;
  for (int y = 0; y < tiles.height(); ++y)
    for (int x = 0; x < tiles.width(); ++x) colours.insert(tiles.pixel(x, y));
  EXPECT_LE(colours.size(), 256);
}

TEST_F(TileSheet, CodesOfDifferentClassesNeverShareAPicture) {
  for (int a = 0; a < kSheetCodes; ++a)
    for (int b = a + 1; b < kSheetCodes; ++b) {
      if (RoleOf(a) == RoleOf(b)) continue;
      const bool hiddenPair = (RoleOf(a) == TileRole::HiddenBlock && b == kHiddenTwinCode) ||
                              (RoleOf(b) == TileRole::HiddenBlock && a == kHiddenTwinCode);
      if (hiddenPair) continue;
      EXPECT_NE(Tile(a), Tile(b)) << a << " (" << RoleName(RoleOf(a)) << ") and " << b << " ("
                                  << RoleName(RoleOf(b)) << ")";
    }
}

TEST_F(TileSheet, HiddenBlocksLookExactlyLikeTheirBackgroundTile) {
  EXPECT_EQ(RoleOf(kHiddenTwinCode), TileRole::Open);
  EXPECT_EQ(Tile(61), Tile(kHiddenTwinCode));
  EXPECT_EQ(Tile(62), Tile(kHiddenTwinCode));
  // What they turn into is visibly a block.
  EXPECT_NE(Tile(135), Tile(kHiddenTwinCode));
  EXPECT_NE(Tile(157), Tile(kHiddenTwinCode));
}

TEST_F(TileSheet, AnimatedTilesShowTheirNewGamePicture) {
  for (int code : kAnimatedCodes) {
    const int cell = AnimationCell(code, 0, 1);
    EXPECT_EQ(Tile(code), Cell(sprites, cell)) << "tile " << code << " vs cell " << cell;
  }
}

TEST_F(TileSheet, SpringsAndLaunchersHaveADifferentPressedPicture) {
  int pressed = 0;
  for (int code = 0; code < kSheetCodes; ++code) {
    if (!HasPressedPicture(code)) continue;
    ++pressed;
    EXPECT_NE(Tile(code), Tile(code + 1)) << code;
  }
  EXPECT_EQ(pressed, 14);  // 18 springs and launchers, 4 of them at the end of a row
  EXPECT_FALSE(HasPressedPicture(39));
  EXPECT_TRUE(HasPressedPicture(72));
}

TEST_F(TileSheet, EveryCodeIsDrawn) {
  // Only the plain day sky and the black behind a treasure box are one flat colour.
  constexpr int kPlainSky = 1, kPlainBlack = 6;
  for (int code = 0; code < kSheetCodes; ++code) {
    if (code == kPlainSky || code == kPlainBlack || RoleOf(code) == TileRole::HiddenBlock)
      continue;
    const QImage t = Tile(code);
    EXPECT_FALSE(AllOf(t, t.pixel(0, 0))) << "tile " << code << " is one flat colour";
  }
}

TEST(TileRoles, CatalogueCornerCases) {
  EXPECT_EQ(RoleOf(0), TileRole::Open);
  EXPECT_EQ(RoleOf(64), TileRole::Open);
  EXPECT_EQ(RoleOf(65), TileRole::Ladder);
  EXPECT_EQ(RoleOf(84), TileRole::OpenRopeStop);
  EXPECT_EQ(RoleOf(95), TileRole::Water);
  EXPECT_EQ(RoleOf(72), TileRole::LauncherLeft);
  EXPECT_EQ(RoleOf(96), TileRole::Solid);
  EXPECT_EQ(RoleOf(135), TileRole::Solid);
  EXPECT_EQ(RoleOf(157), TileRole::Ice);
  EXPECT_EQ(RoleOf(164), TileRole::Solid);
  EXPECT_EQ(RoleOf(191), TileRole::Solid);
}

}  // namespace
}  // namespace moriva::pictures::testing
