#include "world/DrawBlock.h"

#include <gtest/gtest.h>

#include "platform/Pictures.h"

namespace moriva {
namespace {

// True when the 32 x 32 px at (x, y) of `s` equal those at (sx, sy) of `from`.
bool SameTile(const Surface& s, int x, int y, const Surface& from, int sx, int sy) {
  for (int j = 0; j < kTileSize; ++j)
    for (int i = 0; i < kTileSize; ++i)
      if (s.pixel(x + i, y + j) != from.pixel(sx + i, sy + j)) return false;
  return true;
}

const Surface kBlack(kTileSize, kTileSize, 0);

class DrawBlockTest : public ::testing::Test {
 protected:
  Surface sheet = LoadDebugTileSheet();
  MapGrid map;
  Surface out{kBlockPixels, kBlockPixels, 0x123456};
};

// Every code tells its column and row apart, so a transposed block shows.
TEST_F(DrawBlockTest, EveryCellShowsItsCodeHighCodesDrawBlackAndOneRefreshFollows) {
  ASSERT_EQ(sheet.width(), kSheetWidth);
  EXPECT_EQ(TileSourceX(191), 224);
  EXPECT_EQ(TileSourceY(191), 736);
  for (int x = 0; x < kWorldTiles; ++x)
    for (int y = 0; y < kWorldTiles; ++y) map(x, y) = static_cast<std::uint8_t>((x * 13 + y * 5) & 0xFF);
  // The spare row and column of the grid never show: the last blocks end at cell 249.
  for (int i = 0; i <= kWorldTiles; ++i) map(kWorldTiles, i) = map(i, kWorldTiles) = 9;
  long transfersAtRefresh = -1;
  out.setRefreshListener([&] { transfersAtRefresh = out.transferCount(); });
  for (int bx : {0, 4})
    for (int by : {0, 4}) {
      DrawBlock(map, sheet, bx, by, out);
      for (int i = 0; i < kBlockTiles; ++i)
        for (int j = 0; j < kBlockTiles; ++j) {
          const int code = map(bx * kBlockTiles + i, by * kBlockTiles + j);
          ASSERT_TRUE(code < kSheetTiles ? SameTile(out, i * 32, j * 32, sheet, TileSourceX(code), TileSourceY(code))
                                         : SameTile(out, i * 32, j * 32, kBlack, 0, 0))
              << bx << "," << by << " cell " << i << "," << j << " code " << code;
        }
      EXPECT_EQ(transfersAtRefresh, out.transferCount()) << "the refresh comes after the last transfer";
    }
  EXPECT_EQ(out.transferCount(), 4 * 2500) << "one transfer a cell";
  EXPECT_EQ(out.refreshCount(), 4);
}

// Black comes from the code, not from reading past the sheet's end: a taller sheet has white there.
TEST_F(DrawBlockTest, CodesPastTheSheetAndBlocksOutsideTheWorldDrawBlackWhateverTheSheetsSize) {
  const Surface tall(kSheetWidth, kSheetHeight + kTileSize, 0xFFFFFF);
  map(0, 0) = kSheetTiles;
  DrawBlock(map, tall, 0, 0, out);
  EXPECT_TRUE(SameTile(out, 0, 0, kBlack, 0, 0));
  for (auto [bx, by] : {std::pair{-1, 0}, {5, 0}, {0, 5}, {32767, -32768}}) {
    out.fill(0xFFFFFF);
    DrawBlock(map, tall, bx, by, out);
    EXPECT_TRUE(SameTile(out, kBlockPixels - 32, kBlockPixels - 32, kBlack, 0, 0)) << bx << "," << by;
  }
}

}  // namespace
}  // namespace moriva
