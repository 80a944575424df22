#include <gtest/gtest.h>

#include <QImage>
#include <set>

#include "PictureSheets.h"
#include "platform/Pictures.h"

namespace moriva::pictures::testing {
namespace {

struct Expected {
  const char* name;
  int width, height;
};

constexpr Expected kPictures[] = {
    {"tiles", 256, 768},  {"sprites", 256, 768}, {"title", 514, 346}, {"background", 514, 346},
    {"dialog", 256, 160}, {"icon", 32, 32},      {"item0", 32, 32},   {"item1", 32, 32},
    {"item2", 32, 32},    {"item3", 32, 32},     {"item4", 32, 32},   {"item5", 32, 32},
    {"item6", 32, 32},    {"item7", 32, 32},     {"item8", 32, 32},   {"item9", 32, 32},
};

TEST(PictureSet, EveryPictureIsEmbeddedWithItsSize) {
  for (const Expected& e : kPictures) {
    const Surface s = LoadPicture(e.name);
    EXPECT_EQ(s.width(), e.width) << e.name;
    EXPECT_EQ(s.height(), e.height) << e.name;
  }
  std::set<std::string> names;
  for (const std::string& n : PictureNames()) names.insert(n);
  for (const Expected& e : kPictures) EXPECT_TRUE(names.count(e.name)) << e.name;
  EXPECT_EQ(names.size(), std::size(kPictures)) << "no stray pictures under :/pictures";
}

TEST(PictureSet, GameSheetReplacesTheDebugSheetWhichStaysForTests) {
  const Surface debug = LoadDebugTileSheet();
  const Surface tiles = LoadPicture("tiles");
  ASSERT_FALSE(debug.empty());
  EXPECT_EQ(debug.width(), tiles.width());
  EXPECT_FALSE(debug == tiles);
}

TEST(PictureSet, TenItemIconsAreDistinctAndDrawn) {
  for (int i = 0; i < 10; ++i) {
    const QImage a = Embedded(QStringLiteral("item%1").arg(i));
    EXPECT_FALSE(AllOf(a, a.pixel(0, 0))) << "item " << i << " is blank";
    for (int j = 0; j < i; ++j)
      EXPECT_NE(a, Embedded(QStringLiteral("item%1").arg(j))) << i << " and " << j;
  }
}

TEST(PictureSet, PlayScreenLeavesTheBlockMapSquaresAndItemSlotsPlain) {
  // The game paints 18 x 18 squares and shows 32 x 32 icons on these places: each must be
  // one even colour so nothing of the frame shows through the game's own drawing.
  const QImage bg = Embedded(QStringLiteral("background"));
  for (int r = 0; r < 5; ++r)
    for (int c = 0; c < 5; ++c)
      EXPECT_TRUE(AllOf(bg.copy(342 + 24 * c, 113 + 24 * r, 18, 18), bg.pixel(342 + 24 * c, 113 + 24 * r)))
          << "map square " << c << "," << r;
  // The view itself is covered by the block; the frame around it is drawn.
  EXPECT_NE(bg.pixel(7, 3), bg.pixel(8, 4));
}

TEST(PictureSet, TitleKeepsThePlacesOfItsLabelsDark) {
  // The menu, "べーたばん" and "Please wait..." are drawn in yellows over the picture.
  const QImage title = Embedded(QStringLiteral("title"));
  for (const QRect r : {QRect(392, 168, 107, 21), QRect(272, 208, 134, 29),
                        QRect(272, 248, 136, 29), QRect(273, 288, 71, 29),
                        QRect(168, 152, 208, 39)})
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x <= r.right(); ++x)
        ASSERT_LT(qGray(title.pixel(x, y)), 110) << x << "," << y;
}

TEST(PictureSet, DialogWashIsLightEnoughForItsDarkBlueText) {
  const QImage dialog = Embedded(QStringLiteral("dialog"));
  long dark = 0;
  for (int y = 8; y < 65; ++y)
    for (int x = 56; x < 237; ++x)
      if (qGray(dialog.pixel(x, y)) < 128) ++dark;
  EXPECT_EQ(dark, 0);
}

}  // namespace
}  // namespace moriva::pictures::testing
