#include <gtest/gtest.h>

#include <QImage>
#include <map>

#include "AnimationTable.h"
#include "TileRoles.h"
#include "platform/Pictures.h"

namespace moriva::pictures::testing {
namespace {

// The embedded pictures as the game gets them.
QImage Embedded(const char* name) {
  return QImage(QStringLiteral(":/pictures/%1.png").arg(name)).convertToFormat(QImage::Format_RGB32);
}

// One 32 x 32 cell of a sheet: cell k at column k mod 8, row k / 8.
QImage Cell(const QImage& sheet, int k) { return sheet.copy((k % 8) * 32, (k / 8) * 32, 32, 32); }

TEST(PictureSheet, EveryPictureIsEmbeddedWithItsSizeAndNoStrays) {
  std::map<std::string, std::pair<int, int>> expected = {{"tiles", {256, 768}}, {"sprites", {256, 768}},
                                                         {"title", {514, 346}}, {"background", {514, 346}},
                                                         {"dialog", {256, 160}}, {"icon", {32, 32}}},
                                             embedded;
  for (int n = 0; n < 10; ++n) expected["item" + std::to_string(n)] = {32, 32};
  for (const std::string& name : PictureNames()) {
    const Surface s = LoadPicture(name);
    embedded[name] = {s.width(), s.height()};
  }
  EXPECT_EQ(embedded, expected);
  EXPECT_EQ(QImage(QStringLiteral(":/pictures/tiles.png")).format(), QImage::Format_Indexed8);
}

// Sprites are drawn by erasing with the mask and inverting with the picture: a mask pixel
// that disagrees with the picture leaves a box or a hole around the figure.
TEST(PictureSheet, SpriteMasksAreBlackExactlyWhereThePictureIsNotWhite) {
  const QImage sprites = Embedded("sprites");
  for (int n = 0; n <= 34; ++n) {  // the hero, the head-bump stars and the splash
    const QImage picture = Cell(sprites, (n / 8) * 16 + n % 8), mask = Cell(sprites, (n / 8) * 16 + n % 8 + 8);
    int figure = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const QRgb m = mask.pixel(x, y);
        ASSERT_TRUE(m == 0xFF000000 || m == 0xFFFFFFFF) << "sprite " << n << " at " << x << "," << y;
        ASSERT_EQ(m == 0xFF000000, picture.pixel(x, y) != 0xFFFFFFFF) << "sprite " << n << " at " << x << "," << y;
        figure += m == 0xFF000000;
      }
    EXPECT_GT(figure, 0) << "sprite " << n << " is empty";
  }
}

TEST(PictureSheet, TilesThatMustLookAlikeOrApart) {
  const QImage tiles = Embedded("tiles"), sprites = Embedded("sprites");
  auto tile = [&](int code) { return Cell(tiles, code); };
  // Hidden blocks pass for their background until they turn into a visible block.
  EXPECT_TRUE(tile(61) == tile(kHiddenTwinCode) && tile(62) == tile(kHiddenTwinCode));
  EXPECT_NE(tile(135), tile(kHiddenTwinCode));
  for (int code : kAnimatedCodes) EXPECT_EQ(tile(code), Cell(sprites, AnimationCell(code, 0, 1))) << code;
  int pressed = 0;
  for (int code = 0; code < kSheetCodes; ++code)
    if (HasPressedPicture(code)) {
      ++pressed;
      EXPECT_NE(tile(code), tile(code + 1)) << code << " and its pressed picture";
    }
  EXPECT_EQ(pressed, 14);  // 18 springs and launchers, 4 of them at the end of a row
}

TEST(PictureSheet, PlacesTheGameDrawsOnArePlain) {
  // The block map's 18 x 18 squares are painted by the game over one even colour.
  const QImage bg = Embedded("background");
  for (int r = 0; r < 5; ++r)
    for (int c = 0; c < 5; ++c) {
      const QImage square = bg.copy(342 + 24 * c, 113 + 24 * r, 18, 18);
      QImage plain(square.size(), square.format());
      plain.fill(square.pixel(0, 0));
      EXPECT_EQ(square, plain) << "map square " << c << "," << r;
    }
  // The menu, "べーたばん" and "Please wait..." are drawn in yellows over the title.
  const QImage title = Embedded("title");
  for (const QRect r : {QRect(392, 168, 107, 21), QRect(272, 208, 134, 29), QRect(272, 248, 136, 29),
                        QRect(273, 288, 71, 29), QRect(168, 152, 208, 39)})
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x <= r.right(); ++x) ASSERT_LT(qGray(title.pixel(x, y)), 110) << x << "," << y;
}

}  // namespace
}  // namespace moriva::pictures::testing
