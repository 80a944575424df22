#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>
#include <QWidget>
#include <utility>

#include "ui/PixelScale.h"

namespace moriva {
namespace {

TEST(PixelScale, FitFactorIsTheLargestWholeFactorThatFitsAndTheOriginCentresIt) {
  const std::pair<QSize, int> cases[] = {{{1920, 1040}, 3}, {{1920, 1080}, 3}, {{3840, 2160}, 6}, {{1366, 728}, 2},
                                         {{1024, 680}, 2},  {{1024, 679}, 1},  {{400, 300}, 1},   {{0, 0}, 1}};
  for (const auto& [available, factor] : cases)
    EXPECT_EQ(PixelScale::FitFactor(QSize(512, 340), available), factor) << available.width() << "x" << available.height();
  EXPECT_EQ(PixelScale::CentredOrigin(QSize(1536, 1020), QSize(1920, 1080)), QPoint(192, 30));
}

class PixelScaleElements : public testing::Test {
 protected:
  PixelScaleElements() : scale(&root) {
    child = new QLabel(&root);
    grandchild = new QLabel(child);
    scale.Place(child, QRect(8, 4, 320, 320));
    scale.Place(grandchild, QRect(272, 208, 134, 29));
  }
  QWidget root;
  QLabel* child;
  QLabel* grandchild;
  PixelScale scale;
};

TEST_F(PixelScaleElements, FactorMultipliesAndOriginMovesOnlyTheRootsChildren) {
  scale.SetFactor(3, QPoint(192, 30));
  EXPECT_EQ(child->geometry(), QRect(192 + 24, 30 + 12, 960, 960));
  EXPECT_EQ(grandchild->geometry(), QRect(816, 624, 402, 87));
  EXPECT_EQ(scale.logical(grandchild), QRect(272, 208, 134, 29));
  scale.Move(grandchild, QPoint(10, 20));
  EXPECT_EQ(grandchild->pos(), QPoint(30, 60));
  scale.SetFactor(1);
  EXPECT_EQ(child->geometry(), QRect(8, 4, 320, 320));
  EXPECT_EQ(grandchild->geometry(), QRect(10, 20, 134, 29));
}

TEST_F(PixelScaleElements, PicturesGrowByWholePixelsAndFontsAndLinesScale) {
  QImage picture(2, 1, QImage::Format_RGB32);
  picture.setPixel(0, 0, qRgb(255, 0, 0));
  picture.setPixel(1, 0, qRgb(0, 0, 255));
  scale.SetPicture(child, picture);
  QFont font("IPAPGothic");
  font.setPointSizeF(15.75);
  scale.SetFont(grandchild, font);
  auto* frame = new QFrame(&root);
  frame->setFrameShape(QFrame::Box);
  scale.SetLineWidth(frame, 1);
  scale.SetFactor(4);
  const QImage shown = child->pixmap().toImage();
  ASSERT_EQ(shown.size(), QSize(8, 4));
  EXPECT_EQ(shown.pixel(3, 3), qRgb(255, 0, 0));  // no blend at the seam
  EXPECT_EQ(shown.pixel(4, 0), qRgb(0, 0, 255));
  EXPECT_DOUBLE_EQ(grandchild->font().pointSizeF(), 63.0);
  EXPECT_EQ(frame->lineWidth(), 4);
}

TEST(PixelScale, MousePositionsMapBackToDesignPixels) {
  struct Case {
    const char* name;
    int factor;
    QPoint origin, position, logical;
  } const cases[] = {{"factor one", 1, {}, {272, 208}, {272, 208}},
                     {"factor three, first pixel", 3, {}, {816, 624}, {272, 208}},
                     {"factor three, last subpixel", 3, {}, {818, 626}, {272, 208}},
                     {"fullscreen origin", 3, {192, 30}, {192 + 816, 30 + 624}, {272, 208}},
                     {"left of the picture", 3, {192, 30}, {191, 30}, {-1, 0}}};
  for (const Case& c : cases) {
    QWidget root;
    PixelScale scale(&root);
    scale.SetFactor(c.factor, c.origin);
    EXPECT_EQ(scale.ToLogical(c.position), c.logical) << c.name;
  }
}

TEST(PixelScaleEnlarge, EveryPixelBecomesASquareAndOutsideIsBlack) {
  QImage source(3, 2, QImage::Format_RGB32);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) source.setPixel(x, y, qRgb(10 * x, 100 + y, 7));
  QImage target(6, 6, QImage::Format_RGB32);
  target.fill(Qt::white);
  // Columns 1..2 and a third column beyond the source; rows 0..1 and one below.
  PixelScale::EnlargeInto(source, QRect(1, 0, 3, 3), 2, target);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) {
      const int sx = 1 + x / 2, sy = y / 2;
      const QRgb expected = sx < 3 && sy < 2 ? source.pixel(sx, sy) : qRgb(0, 0, 0);
      EXPECT_EQ(target.pixel(x, y), expected) << x << "," << y;
    }
}

}  // namespace
}  // namespace moriva
