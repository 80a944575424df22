#include <gtest/gtest.h>

#include <climits>

#include "platform/Surface.h"
#include "platform/NumberedSurface.h"

namespace moriva {
namespace {

using test::Numbered;

TEST(SurfaceTransfer, SourceAndDestinationClipTogether) {
  // Destination hangs off the bottom-right while the source starts left of and above its
  // surface: the covered part mixes black (outside the source) and source pixels.
  const Surface src = Numbered(4, 4);
  Surface dst(4, 4, 0xEEEEEE);
  BitBlt(dst, 2, 2, 4, 4, src, -1, -1, RasterOp::SrcCopy);
  EXPECT_EQ(dst.pixel(2, 2), 0u);              // source (-1, -1)
  EXPECT_EQ(dst.pixel(3, 2), 0u);              // source (0, -1)
  EXPECT_EQ(dst.pixel(3, 3), src.pixel(0, 0));
  EXPECT_EQ(dst.pixel(1, 1), 0xEEEEEEu);
}

TEST(SurfaceTransfer, OutsidePixelsReadBlackForEveryRasterOp) {
  const Surface src(1, 1, 0xFFFFFF);
  Surface copy(1, 1, 0x123456), erase(1, 1, 0x123456), invert(1, 1, 0x123456);
  BitBlt(copy, 0, 0, 1, 1, src, 5, 0, RasterOp::SrcCopy);
  BitBlt(erase, 0, 0, 1, 1, src, 5, 0, RasterOp::SrcErase);
  BitBlt(invert, 0, 0, 1, 1, src, 5, 0, RasterOp::SrcInvert);
  EXPECT_EQ(copy.pixel(0, 0), 0u);
  EXPECT_EQ(erase.pixel(0, 0), 0u);             // 0 AND NOT d
  EXPECT_EQ(invert.pixel(0, 0), 0x123456u);     // 0 XOR d
}

TEST(SurfaceTransfer, ExtremeCoordinatesNeitherCrashNorDraw) {
  const Surface src = Numbered(4, 4);
  Surface dst(4, 4, 7);
  BitBlt(dst, INT_MAX, INT_MAX, 4, 4, src, 0, 0, RasterOp::SrcCopy);
  BitBlt(dst, INT_MIN, INT_MIN, INT_MAX, INT_MAX, src, 0, 0, RasterOp::SrcCopy);
  BitBlt(dst, 0, 0, -3, 4, src, 0, 0, RasterOp::SrcCopy);
  EXPECT_EQ(dst, Surface(4, 4, 7));
  BitBlt(dst, 0, 0, 4, 4, src, INT_MIN, INT_MAX, RasterOp::SrcCopy);
  EXPECT_EQ(dst, Surface(4, 4, 0));
  Surface empty;
  BitBlt(empty, 0, 0, 4, 4, src, 0, 0, RasterOp::SrcCopy);
  BitBlt(dst, 0, 0, 4, 4, empty, 0, 0, RasterOp::SrcCopy);
  EXPECT_EQ(dst, Surface(4, 4, 0));
}

TEST(SurfaceTransfer, OverlappingMoveWithinOneSurfaceInEveryDirection) {
  for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {1, 1}, {-1, -1}}) {
    Surface s = Numbered(6, 6);
    const Surface before = s;
    BitBlt(s, 1 + dx, 1 + dy, 4, 4, s, 1, 1, RasterOp::SrcCopy);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x)
        EXPECT_EQ(s.pixel(1 + dx + x, 1 + dy + y), before.pixel(1 + x, 1 + y))
            << dx << "," << dy << " at " << x << "," << y;
  }
}

TEST(SurfaceFill, RectanglesOutsideOrAcrossTheEdgesAreClipped) {
  Surface s(4, 4, 1);
  s.fillRect(10, 0, 2, 2, 9);  // right of the surface
  s.fillRect(-5, 0, 2, 2, 9);  // left of it
  s.fillRect(0, 10, 2, 2, 9);
  s.fillRect(INT_MAX, INT_MAX, INT_MAX, INT_MAX, 9);
  EXPECT_EQ(s, Surface(4, 4, 1));
  s.fillRect(3, -1, 5, 2, 9);
  EXPECT_EQ(s.pixel(3, 0), 9u);
  EXPECT_EQ(s.pixel(3, 1), 1u);
  EXPECT_EQ(s.pixel(2, 0), 1u);
}

TEST(SurfaceTransfer, EveryCallCountsOnTheDestination) {
  const Surface src = Numbered(2, 2);
  Surface dst(2, 2);
  BitBlt(dst, 0, 0, 2, 2, src, 0, 0, RasterOp::SrcCopy);
  BitBlt(dst, 50, 50, 2, 2, src, 0, 0, RasterOp::SrcInvert);  // clipped away, still a call
  EXPECT_EQ(dst.transferCount(), 2);
  EXPECT_EQ(src.transferCount(), 0);
}

TEST(SurfaceTransfer, StretchPlacesAndClipsTheReducedPicture) {
  const Surface src = Numbered(8, 8);
  Surface dst(6, 6, 9);
  StretchBlt(dst, 4, 4, 4, 4, src, 0, 0, 8, 8);  // only its top-left 2 x 2 lands
  EXPECT_EQ(dst.pixel(4, 4), src.pixel(0, 0));
  EXPECT_EQ(dst.pixel(5, 5), src.pixel(2, 2));
  EXPECT_EQ(dst.pixel(3, 3), 9u);
  StretchBlt(dst, 0, 0, 0, 4, src, 0, 0, 8, 8);
  EXPECT_EQ(dst.pixel(0, 0), 9u);
}

}  // namespace
}  // namespace moriva
