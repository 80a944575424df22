#include "world/DrawBlock.h"

#include <gtest/gtest.h>

#include "platform/Pictures.h"

namespace moriva {
namespace {

// True when the 32 x 32 px at (x, y) of `s` equal the sheet tile at (sx, sy).
bool SameTile(const Surface& s, int x, int y, const Surface& sheet, int sx, int sy) {
  for (int j = 0; j < kTileSize; ++j)
    for (int i = 0; i < kTileSize; ++i)
      if (s.pixel(x + i, y + j) != sheet.pixel(sx + i, sy + j)) return false;
  return true;
}

bool AllBlack(const Surface& s, int x, int y) {
  for (int j = 0; j < kTileSize; ++j)
    for (int i = 0; i < kTileSize; ++i)
      if (s.pixel(x + i, y + j) != 0) return false;
  return true;
}

class DrawBlockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sheet = LoadDebugTileSheet();
    ASSERT_EQ(sheet.width(), kSheetWidth);
    ASSERT_EQ(sheet.height(), kSheetHeight);
  }
  Surface sheet;
  MapGrid map;
  Surface out{kBlockPixels, kBlockPixels, 0x123456};
};

TEST_F(DrawBlockTest, EveryCellShowsItsCodeAndHighCodesDrawBlack) {
  // The spare row and column of the grid never show: the last blocks end at cell 249.
  for (int i = 0; i <= kWorldTiles; ++i) map(kWorldTiles, i) = map(i, kWorldTiles) = 9;
  EXPECT_EQ(TileSourceX(191), 224);
  EXPECT_EQ(TileSourceY(191), 736);
  for (int x = 0; x < kWorldTiles; ++x)
    for (int y = 0; y < kWorldTiles; ++y) map(x, y) = static_cast<std::uint8_t>((x * 13 + y * 5) & 0xFF);
  for (int bx : {0, 4})
    for (int by : {0, 4}) {
      DrawBlock(map, sheet, bx, by, out);
      for (int i = 0; i < kBlockTiles; ++i)
        for (int j = 0; j < kBlockTiles; ++j) {
          const int code = map(bx * kBlockTiles + i, by * kBlockTiles + j);
          if (code < kSheetTiles)
            ASSERT_TRUE(SameTile(out, i * 32, j * 32, sheet, TileSourceX(code), TileSourceY(code)))
                << bx << "," << by << " cell " << i << "," << j << " code " << code;
          else
            ASSERT_TRUE(AllBlack(out, i * 32, j * 32)) << "code " << code;
        }
    }
}

TEST_F(DrawBlockTest, TwoThousandFiveHundredTransfersAndOneRefresh) {
  int refreshes = 0;
  long transfersAtRefresh = -1;
  out.setRefreshListener([&] {
    ++refreshes;
    transfersAtRefresh = out.transferCount();
  });
  DrawBlock(map, sheet, 2, 4, out);
  EXPECT_EQ(out.transferCount(), 2500);
  EXPECT_EQ(refreshes, 1);
  EXPECT_EQ(transfersAtRefresh, 2500);  // the refresh comes after the last transfer
}

// Black comes from the code, not from reading past the sheet's end: a taller sheet has white there.
TEST_F(DrawBlockTest, CodesPastTheSheetAndBlocksOutsideTheWorldDrawBlackWhateverTheSheetsSize) {
  const Surface tall(kSheetWidth, kSheetHeight + kTileSize, 0xFFFFFF);
  map(0, 0) = kSheetTiles;
  DrawBlock(map, tall, 0, 0, out);
  EXPECT_TRUE(AllBlack(out, 0, 0));
  for (auto [bx, by] : {std::pair{-1, 0}, {5, 0}, {0, 5}, {32767, -32768}}) {
    out.fill(0xFFFFFF);
    DrawBlock(map, tall, bx, by, out);
    EXPECT_TRUE(AllBlack(out, 0, 0)) << bx << "," << by;
    EXPECT_TRUE(AllBlack(out, kBlockPixels - 32, kBlockPixels - 32)) << bx << "," << by;
  }
}

}  // namespace
}  // namespace moriva
