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
    EXPECT_EQ(std::pair(dst.pixel(0, 0), dst.pixel(1, 0)), std::pair(expected, op == RasterOp::SrcInvert ? kDst : 0u)) << int(op);
  }
}

TEST(SurfaceClipping, DestinationAndSourceEdgesClipEveryWay) {
  const Surface src = Numbered(4, 4);
  for (auto [x, y] : {std::pair{4, 0}, {0, 4}, {-1, 0}}) EXPECT_EQ(src.pixel(x, y), 0u) << x << "," << y;
  for (auto [ox, oy] : {std::pair{-2, 0}, {0, -2}, {2, 0}, {0, 2}, {-2, -2}, {2, 2}}) {
    Surface moved(4, 4, 0xABCDEF), read(4, 4, 0xABCDEF);
    BitBlt(moved, ox, oy, 4, 4, src, 0, 0, RasterOp::SrcCopy);
    BitBlt(read, 0, 0, 4, 4, src, ox, oy, RasterOp::SrcCopy);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x) {
        const bool covered = x >= ox && y >= oy && x - ox < 4 && y - oy < 4;
        EXPECT_EQ(moved.pixel(x, y), covered ? src.pixel(x - ox, y - oy) : 0xABCDEFu) << ox << "," << oy;
        EXPECT_EQ(read.pixel(x, y), src.pixel(x + ox, y + oy)) << ox << "," << oy;  // black outside
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
  dst.fillRect(3, -1, 5, 3, 9);  // clipped to column 3, rows 0..1
  EXPECT_EQ(std::tuple(dst.pixel(3, 1), dst.pixel(3, 2), dst.pixel(2, 0)), std::tuple(9u, 0u, 0u));
}

TEST(SurfaceTransfer, OverlappingMoveWithinOneSurfaceInEveryDirection) {
  const Surface before = Numbered(6, 6);
  for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {1, 1}, {-1, -1}}) {
    Surface s = before;
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
  StretchBlt(dst, 0, 0, 0, 4, src, 0, 0, 8, 8);  // no width: nothing
  EXPECT_EQ(std::tuple(dst.pixel(4, 4), dst.pixel(5, 5), dst.pixel(3, 3), dst.pixel(0, 0)),
            std::tuple(src.pixel(0, 0), src.pixel(2, 2), 9u, 9u));
}

TEST(SurfaceBmp, WritesBottomUpTwentyFourBitRowsPaddedToFourBytes) {
  test::TempFolder folder;
  Surface s(3, 2, 0);
  s.setPixel(0, 0, Rgb(1, 2, 3));
  s.setPixel(2, 1, Rgb(250, 251, 252));
  ASSERT_TRUE(s.SaveBmp(folder.file("out.bmp")));
  EXPECT_FALSE(s.SaveBmp(folder.file("no/such/folder/out.bmp")));
  QFile f(QString::fromStdString(folder.file("out.bmp")));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray bytes = f.readAll();
  EXPECT_EQ(bytes.left(2) + QByteArray::number(bytes[28]), "BM24");
  // The bottom row first, as B, G, R, each row padded from 9 to 12 bytes.
  EXPECT_EQ(bytes.mid(54).toHex(), "000000000000fcfbfa000000030201000000000000000000");
}

}  // namespace
}  // namespace moriva
