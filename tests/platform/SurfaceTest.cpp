#include "platform/Surface.h"
#include "support/NumberedSurface.h"

#include <gtest/gtest.h>

#include <QFile>
#include <climits>

#include "support/TempFolder.h"

namespace moriva {
namespace {

using test::Numbered;

TEST(SurfaceRasterOps, ExactBitOperationsPerChannelAndBlackOutsideTheSource) {
  constexpr Pixel kSrc = 0x00F0CC55, kDst = 0x003C5AF0;  // AND-NOT and XOR differ in every channel
  const Surface src(1, 1, kSrc);
  const std::pair<RasterOp, Pixel> cases[] = {
      {RasterOp::SrcCopy, kSrc}, {RasterOp::SrcErase, 0x00C08405u}, {RasterOp::SrcInvert, 0x00CC96A5u}};
  for (const auto& [op, expected] : cases) {
    Surface dst(2, 1, kDst);
    BitBlt(dst, 0, 0, 2, 1, src, 0, 0, op);  // the second pixel reads outside: black
    EXPECT_EQ(dst.pixel(0, 0), expected) << static_cast<int>(op);
    EXPECT_EQ(dst.pixel(1, 0), op == RasterOp::SrcInvert ? kDst : 0u) << static_cast<int>(op);
  }
}

TEST(SurfaceClipping, DestinationAndSourceEdgesClipEveryWay) {
  const Surface src = Numbered(4, 4);
  EXPECT_EQ(src.pixel(4, 0), 0u);
  EXPECT_EQ(src.pixel(0, 4), 0u);
  EXPECT_EQ(src.pixel(-1, 0), 0u);
  const std::pair<int, int> offsets[] = {{-2, 0}, {0, -2}, {2, 0}, {0, 2}, {-2, -2}, {2, 2}};
  for (const auto& [ox, oy] : offsets) {
    Surface moved(4, 4, 0xABCDEF), read(4, 4, 0xABCDEF);
    BitBlt(moved, ox, oy, 4, 4, src, 0, 0, RasterOp::SrcCopy);
    BitBlt(read, 0, 0, 4, 4, src, ox, oy, RasterOp::SrcCopy);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x) {
        const int sx = x - ox, sy = y - oy;
        const bool covered = sx >= 0 && sy >= 0 && sx < 4 && sy < 4;
        EXPECT_EQ(moved.pixel(x, y), covered ? src.pixel(sx, sy) : 0xABCDEFu) << ox << "," << oy;
        const bool inside = x + ox >= 0 && y + oy >= 0 && x + ox < 4 && y + oy < 4;
        EXPECT_EQ(read.pixel(x, y), inside ? src.pixel(x + ox, y + oy) : 0u) << ox << "," << oy;
      }
  }
}

TEST(SurfaceClipping, ExtremeCoordinatesNeitherCrashNorDrawAndEveryCallCounts) {
  const Surface src = Numbered(4, 4);
  Surface dst(4, 4, 7);
  BitBlt(dst, INT_MAX, INT_MAX, 4, 4, src, 0, 0, RasterOp::SrcCopy);
  BitBlt(dst, INT_MIN, INT_MIN, INT_MAX, INT_MAX, src, 0, 0, RasterOp::SrcCopy);
  BitBlt(dst, 0, 0, -3, 4, src, 0, 0, RasterOp::SrcCopy);
  dst.fillRect(INT_MAX, INT_MAX, INT_MAX, INT_MAX, 9);
  dst.fillRect(-5, 0, 2, 2, 9);
  EXPECT_EQ(dst, Surface(4, 4, 7));
  EXPECT_EQ(dst.transferCount(), 3);
  BitBlt(dst, 0, 0, 4, 4, src, INT_MIN, INT_MAX, RasterOp::SrcCopy);
  EXPECT_EQ(dst, Surface(4, 4, 0));
  dst.fillRect(3, -1, 5, 3, 9);
  EXPECT_EQ(dst.pixel(3, 1), 9u);
  EXPECT_EQ(dst.pixel(3, 2), 0u);
  EXPECT_EQ(dst.pixel(2, 0), 0u);
}

TEST(SurfaceTransfer, OverlappingMoveWithinOneSurfaceInEveryDirection) {
  for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {1, 1}, {-1, -1}}) {
    Surface s = Numbered(6, 6);
    const Surface before = s;
    BitBlt(s, 1 + dx, 1 + dy, 4, 4, s, 1, 1, RasterOp::SrcCopy);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x)
        EXPECT_EQ(s.pixel(1 + dx + x, 1 + dy + y), before.pixel(1 + x, 1 + y)) << dx << "," << dy;
  }
}

TEST(SurfaceStretch, ReducesByNearestPixelAndClips) {
  const Surface src = Numbered(8, 8);
  Surface dst(6, 6, 9);
  StretchBlt(dst, 4, 4, 4, 4, src, 0, 0, 8, 8);  // only its top-left 2 x 2 lands
  EXPECT_EQ(dst.pixel(4, 4), src.pixel(0, 0));
  EXPECT_EQ(dst.pixel(5, 5), src.pixel(2, 2));
  EXPECT_EQ(dst.pixel(3, 3), 9u);
  StretchBlt(dst, 0, 0, 0, 4, src, 0, 0, 8, 8);
  EXPECT_EQ(dst.pixel(0, 0), 9u);
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
  EXPECT_EQ(bytes[28], 24);
  // The first stored row is the bottom one, as B, G, R.
  EXPECT_EQ(bytes.mid(54 + 6, 3), QByteArray("\xFC\xFB\xFA"));
  EXPECT_EQ(bytes.mid(54 + 12, 3), QByteArray("\x03\x02\x01"));
  EXPECT_FALSE(s.SaveBmp(folder.file("no/such/folder/out.bmp")));
}

}  // namespace
}  // namespace moriva
