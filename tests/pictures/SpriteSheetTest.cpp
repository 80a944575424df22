#include <gtest/gtest.h>

#include <QImage>
#include <QSet>

#include "AnimationTable.h"
#include "PictureSheets.h"

namespace moriva::pictures::testing {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;

class SpriteSheet : public ::testing::Test {
 protected:
  void SetUp() override {
    sprites = Embedded(QStringLiteral("sprites"));
    ASSERT_EQ(sprites.size(), QSize(256, 768));
  }
  QImage Picture(int n) const { return Cell(sprites, (n / 8) * 16 + n % 8); }
  QImage Mask(int n) const { return Cell(sprites, (n / 8) * 16 + n % 8 + 8); }
  QImage sprites;
};

// The hero 0..25 and 32..34, the head-bump stars 26 and 27, the splash 28..31.
std::vector<int> DrawnSprites() {
  std::vector<int> n;
  for (int i = 0; i <= 34; ++i) n.push_back(i);
  return n;
}

TEST_F(SpriteSheet, MasksAreBlackExactlyWhereThePictureIsNotWhite) {
  for (int n : DrawnSprites()) {
    const QImage picture = Picture(n), mask = Mask(n);
    int figure = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const QRgb m = mask.pixel(x, y);
        ASSERT_TRUE(m == kBlack || m == kWhite) << "sprite " << n << " mask at " << x << "," << y;
        EXPECT_EQ(m == kBlack, picture.pixel(x, y) != kWhite)
            << "sprite " << n << " at " << x << "," << y;
        figure += m == kBlack;
      }
    EXPECT_GT(figure, 0) << "sprite " << n << " is empty";
    EXPECT_LT(figure, 32 * 32) << "sprite " << n << " fills its whole cell";
  }
}

TEST_F(SpriteSheet, MaskedTransferLeavesTheBackgroundOutsideTheFigure) {
  // SRCERASE with the mask, then SRCINVERT with the picture, over a patterned background.
  const QImage picture = Picture(0), mask = Mask(0);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const QRgb bg = 0x123456u + static_cast<QRgb>(x * 7 + y * 131);
      const QRgb erased = (mask.pixel(x, y) & 0xFFFFFF) & ~bg & 0xFFFFFF;
      const QRgb out = (picture.pixel(x, y) & 0xFFFFFF) ^ erased;
      if (mask.pixel(x, y) == kWhite) EXPECT_EQ(out, bg & 0xFFFFFF);
      else EXPECT_EQ(out, picture.pixel(x, y) & 0xFFFFFF);
    }
}

TEST_F(SpriteSheet, LeftAndRightFiguresAndTheFramesOfAMoveDiffer) {
  for (const auto& [a, b] : {std::pair{0, 4}, {1, 5}, {2, 3}, {2, 6}, {8, 12}, {10, 11}, {16, 17},
                            {18, 22}, {19, 23}, {24, 25}, {26, 27}, {28, 29}, {29, 30},
                            {30, 31}, {32, 33}, {0, 34}})
    EXPECT_NE(Picture(a), Picture(b)) << a << " and " << b;
}

TEST_F(SpriteSheet, EveryAnimationCellIsDrawnAndEveryMoveChangesThePicture) {
  for (int code : kAnimatedCodes) {
    QSet<int> cells;
    for (int s = 0; s <= 1; ++s)
      for (int c = 0; c < 100; ++c) cells.insert(AnimationCell(code, c, s));
    for (int k : cells) {
      ASSERT_GE(k, kFirstAnimationCell);
      ASSERT_LE(k, kLastAnimationCell);
      const QImage cell = Cell(sprites, k);
      EXPECT_FALSE(AllOf(cell, cell.pixel(0, 0))) << "cell " << k << " of tile " << code;
      for (int other : cells)
        if (other < k) {
          EXPECT_NE(cell, Cell(sprites, other)) << "cells " << other << ", " << k;
        }
    }
  }
}

TEST_F(SpriteSheet, TheDialogsIconsAndTheEndingsStone) {
  const QImage memo = Cell(sprites, kMemoCell), dud = Cell(sprites, kDudCell);
  EXPECT_FALSE(AllOf(memo, kWhite));
  int red = 0, white = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const QRgb c = dud.pixel(x, y);
      if (qRed(c) > 180 && qGreen(c) < 110 && qBlue(c) < 110) ++red;
      if (qRed(c) > 230 && qGreen(c) > 230 && qBlue(c) > 230) ++white;
    }
  EXPECT_GT(red, 32 * 32 / 2) << "the dud mark is a red cell";
  EXPECT_GT(white, 30) << "with its word written in white";

  // The ending's stone is the grey block 98 whose joints turn olive.
  const QImage stone = Cell(sprites, kOliveStoneCell);
  const QImage block = Cell(Embedded(QStringLiteral("tiles")), 98);
  int same = 0, olive = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      same += stone.pixel(x, y) == block.pixel(x, y);
      const QRgb c = stone.pixel(x, y);
      olive += qRed(c) > qBlue(c) + 40 && qGreen(c) > qBlue(c) + 40;
    }
  EXPECT_GT(same, 32 * 32 * 3 / 4);
  EXPECT_GT(olive, 32);
}

}  // namespace
}  // namespace moriva::pictures::testing
