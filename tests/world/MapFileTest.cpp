#include "world/MapFile.h"

#include <gtest/gtest.h>

#include <QFile>
#include <optional>

#include "platform/Pictures.h"
#include "support/TempFolder.h"
#include "world/DrawBlock.h"
#include "world/FileBytes.h"

namespace moriva {
namespace {

// A world in which every byte tells its own offset apart from its neighbours.
QByteArray PatternWorld() {
  QByteArray bytes(kMapFileBytes, '\0');
  for (int i = 0; i < kMapFileBytes; ++i) bytes[i] = static_cast<char>((i * 7 + i / 250) & 0xFF);
  return bytes;
}

// A load fills cell (x, y) from byte x * 250 + y, zeros past a short file's end and in the
// spare row and column, and creates a missing file empty; a save writes the world whole,
// keeps what a longer file holds past it, and leaves the spare cells out. The editor's
// tests have the progress texts and a load that fails.
TEST(MapFile, LoadReadsColumnByColumnAndSaveKeepsTheTail) {
  EXPECT_EQ(MapFilePath("/games/moriva"), "/games/moriva/mapdata.dat");
  const std::pair<const char*, std::optional<QByteArray>> cases[] = {
      {"WholeWorld", PatternWorld()},
      {"LongerFile", PatternWorld() + "editor notes beyond the world\n"},
      {"ShortFile", QByteArray(251, '\x05')},
      {"MissingFile", std::nullopt}};
  for (const auto& [name, onDisk] : cases) {
    SCOPED_TRACE(name);
    test::TempFolder folder;
    const std::string path = MapFilePath(folder.path());
    if (onDisk) test::WriteBytes(path, *onDisk);
    MapGrid map;
    map(250, 3) = map(7, 7) = 1;  // left over from an earlier world
    ASSERT_TRUE(LoadMap(path, map));
    EXPECT_TRUE(QFile::exists(QString::fromStdString(path)) && test::ReadBytes(path) == onDisk.value_or(""))
        << "a load leaves the file as it was, a missing one created empty";
    QByteArray world = onDisk.value_or("").leftJustified(kMapFileBytes, '\0');
    QByteArray loaded;
    for (int x = 0; x < kWorldTiles; ++x)
      for (int y = 0; y < kWorldTiles; ++y) loaded.append(static_cast<char>(map(x, y)));
    EXPECT_TRUE(loaded == world.left(kMapFileBytes));
    EXPECT_EQ(map(250, 3), 0);
    map(0, 0) = 42;
    map(250, 0) = 0x11;
    map(0, 250) = 0x22;
    ASSERT_TRUE(SaveMap(path, map));
    world[0] = 42;
    EXPECT_TRUE(test::ReadBytes(path) == world);
  }
}

// True when the 32 x 32 px at (x, y) of `s` equal those at (sx, sy) of `from`.
bool SameTile(const Surface& s, int x, int y, const Surface& from, int sx, int sy) {
  for (int j = 0; j < kTileSize; ++j)
    for (int i = 0; i < kTileSize; ++i)
      if (s.pixel(x + i, y + j) != from.pixel(sx + i, sy + j)) return false;
  return true;
}

// Every code tells its column and row apart, so a transposed block shows. Black comes from
// the code, not from reading past the sheet's end: this sheet has white below its last row.
TEST(DrawBlock, EveryCellShowsItsCodeAndCodesPastTheSheetOrBlocksOutsideTheWorldDrawBlack) {
  EXPECT_EQ(std::pair(TileSourceX(191), TileSourceY(191)), std::pair(224, 736));
  const Surface pictures = LoadDebugTileSheet(), black(kTileSize, kTileSize, 0);
  Surface sheet(kSheetWidth, kSheetHeight + kTileSize, 0xFFFFFF);
  BitBlt(sheet, 0, 0, kSheetWidth, kSheetHeight, pictures, 0, 0, RasterOp::SrcCopy);
  MapGrid map;
  // The spare row and column of the grid never show: the last blocks end at cell 249.
  for (int x = 0; x <= kWorldTiles; ++x)
    for (int y = 0; y <= kWorldTiles; ++y)
      map(x, y) = x < kWorldTiles && y < kWorldTiles ? static_cast<std::uint8_t>((x * 13 + y * 5) & 0xFF) : 9;
  Surface out(kBlockPixels, kBlockPixels, 0x123456);
  long transfersAtRefresh = -1;
  out.setRefreshListener([&] { transfersAtRefresh = out.transferCount(); });
  for (const auto& [bx, by] : {std::pair{0, 0}, {4, 0}, {0, 4}, {4, 4}}) {
    DrawBlock(map, sheet, bx, by, out);
    for (int i = 0; i < kBlockTiles; ++i)
      for (int j = 0; j < kBlockTiles; ++j) {
        const int code = map(bx * kBlockTiles + i, by * kBlockTiles + j);
        ASSERT_TRUE(code < kSheetTiles ? SameTile(out, i * 32, j * 32, sheet, TileSourceX(code), TileSourceY(code))
                                       : SameTile(out, i * 32, j * 32, black, 0, 0))
            << bx << "," << by << " cell " << i << "," << j << " code " << code;
      }
    EXPECT_EQ(transfersAtRefresh, out.transferCount()) << "the refresh comes after the last transfer";
  }
  EXPECT_EQ(std::pair(out.transferCount(), out.refreshCount()), std::pair(4L * 2500, 4L)) << "one transfer a cell";
  for (auto [bx, by] : {std::pair{-1, 0}, {5, 0}, {0, 5}, {32767, -32768}}) {
    out.fill(0xFFFFFF);
    DrawBlock(map, sheet, bx, by, out);
    EXPECT_TRUE(SameTile(out, kBlockPixels - 32, kBlockPixels - 32, black, 0, 0)) << bx << "," << by;
  }
}

}  // namespace
}  // namespace moriva
