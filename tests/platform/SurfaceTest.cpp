#include "platform/Surface.h"
#include "platform/NumberedSurface.h"

#include <gtest/gtest.h>

#include <QFile>

#include "support/TempFolder.h"

namespace moriva {
namespace {

using test::Numbered;

// Pixels chosen so that AND-NOT and XOR differ in every channel.
constexpr Pixel kSrc = 0x00F0CC55;
constexpr Pixel kDst = 0x003C5AF0;

TEST(SurfaceRasterOps, ExactBitOperationsPerChannel) {
  Surface src(1, 1, kSrc);
  struct Case {
    RasterOp op;
    Pixel expected;
  } cases[] = {
      {RasterOp::SrcCopy, kSrc},
      {RasterOp::SrcErase, kSrc & ~kDst},
      {RasterOp::SrcInvert, kSrc ^ kDst},
  };
  for (const Case& c : cases) {
    Surface dst(1, 1, kDst);
    BitBlt(dst, 0, 0, 1, 1, src, 0, 0, c.op);
    EXPECT_EQ(dst.pixel(0, 0), c.expected) << std::hex << static_cast<unsigned>(c.op);
  }
  EXPECT_EQ(kSrc & ~kDst, 0x00C08405u);
  EXPECT_EQ(kSrc ^ kDst, 0x00CC96A5u);
}

TEST(SurfaceRasterOps, MaskedSpriteLeavesBackgroundOutsideFigure) {
  // Mask black where the figure is, white elsewhere; picture white outside the figure.
  const Pixel bg = Rgb(10, 120, 200), figure = Rgb(200, 30, 40), white = 0x00FFFFFF;
  Surface mask(2, 1, white), picture(2, 1, white), dst(2, 1, bg);
  mask.setPixel(0, 0, 0);
  picture.setPixel(0, 0, figure);
  BitBlt(dst, 0, 0, 2, 1, mask, 0, 0, RasterOp::SrcErase);
  BitBlt(dst, 0, 0, 2, 1, picture, 0, 0, RasterOp::SrcInvert);
  EXPECT_EQ(dst.pixel(0, 0), figure);
  EXPECT_EQ(dst.pixel(1, 0), bg);
}

TEST(SurfaceClipping, DestinationEdgesClipEveryWay) {
  const Surface src = Numbered(4, 4);
  struct Case {
    int dx, dy;
  } cases[] = {{-2, 0}, {0, -2}, {2, 0}, {0, 2}, {-2, -2}, {2, 2}};
  for (const Case& c : cases) {
    Surface dst(4, 4, 0xABCDEF);
    BitBlt(dst, c.dx, c.dy, 4, 4, src, 0, 0, RasterOp::SrcCopy);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x) {
        const int sx = x - c.dx, sy = y - c.dy;
        const bool covered = sx >= 0 && sy >= 0 && sx < 4 && sy < 4;
        EXPECT_EQ(dst.pixel(x, y), covered ? src.pixel(sx, sy) : 0xABCDEFu)
            << c.dx << "," << c.dy << " at " << x << "," << y;
      }
  }
}

TEST(SurfaceClipping, SourceOutsideReadsBlackOnEverySide) {
  const Surface src = Numbered(4, 4);
  for (auto [sx, sy] : {std::pair{-2, 0}, {0, -2}, {2, 0}, {0, 2}}) {
    Surface dst(4, 4, 0xFFFFFF);
    BitBlt(dst, 0, 0, 4, 4, src, sx, sy, RasterOp::SrcCopy);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x) EXPECT_EQ(dst.pixel(x, y), src.pixel(x + sx, y + sy));
    EXPECT_EQ(src.pixel(-1, 0), 0u);
  }
  // A transfer wholly outside the destination touches nothing.
  Surface dst(4, 4, 7);
  BitBlt(dst, 10, 10, 4, 4, src, 0, 0, RasterOp::SrcCopy);
  BitBlt(dst, -4, 0, 4, 4, src, 0, 0, RasterOp::SrcCopy);
  EXPECT_EQ(dst, Surface(4, 4, 7));
}

TEST(SurfaceStretch, ReducesByNearestPixel) {
  const Surface src = Numbered(8, 8);
  Surface dst(2, 2);
  StretchBlt(dst, 0, 0, 2, 2, src, 0, 0, 8, 8);
  EXPECT_EQ(dst.pixel(0, 0), src.pixel(0, 0));
  EXPECT_EQ(dst.pixel(1, 0), src.pixel(4, 0));
  EXPECT_EQ(dst.pixel(1, 1), src.pixel(4, 4));
}

TEST(SurfaceBmp, WritesBottomUpTwentyFourBitRowsPaddedToFourBytes) {
  test::TempFolder folder;
  Surface s(3, 2, 0);
  s.setPixel(0, 0, Rgb(1, 2, 3));
  s.setPixel(2, 1, Rgb(250, 251, 252));
  const std::string path = folder.file("out.bmp");
  ASSERT_TRUE(s.SaveBmp(path));
  QFile f(QString::fromStdString(path));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray bytes = f.readAll();
  ASSERT_EQ(bytes.size(), 54 + 2 * 12);
  EXPECT_EQ(bytes.left(2), "BM");
  auto u8 = [&](int i) { return static_cast<unsigned char>(bytes[i]); };
  EXPECT_EQ(u8(28), 24);
  // First stored row is the bottom one: pixel (2, 1) at its third place, as B, G, R.
  EXPECT_EQ(u8(54 + 6), 252);
  EXPECT_EQ(u8(54 + 7), 251);
  EXPECT_EQ(u8(54 + 8), 250);
  EXPECT_EQ(u8(54 + 12 + 0), 3);
  EXPECT_EQ(u8(54 + 12 + 2), 1);
  EXPECT_FALSE(s.SaveBmp(folder.file("no/such/folder/out.bmp")));
}

TEST(SurfaceRefresh, CountsAndNotifies) {
  Surface s(1, 1);
  int heard = 0;
  s.setRefreshListener([&] { ++heard; });
  s.Refresh();
  s.Refresh();
  EXPECT_EQ(s.refreshCount(), 2);
  EXPECT_EQ(heard, 2);
}

}  // namespace
}  // namespace moriva
