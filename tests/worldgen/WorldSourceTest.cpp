#include <gtest/gtest.h>

#include <QFile>
#include <fstream>

#include "support/TempFolder.h"
#include "MapFileIo.h"
#include "WorldSource.h"

namespace moriva::worldgen {
namespace {

constexpr const char* kLegend = ". 0\n# 96\nw 48\n";

std::string Rows(int count, char fill = '.') {
  std::string text;
  for (int j = 0; j < count; ++j) text += std::string(kBlockTiles, fill) + "\n";
  return text;
}

WorldLegend TestLegend() {
  SourceErrors errors;
  return WorldLegend::Parse(kLegend, "legend.txt", errors);
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// A source folder with every block present and filled with one character.
void WriteWorld(const test::TempFolder& dir, char fill = '.') {
  WriteFile(dir.file(kLegendFileName), kLegend);
  for (int by = 0; by < kWorldBlocks; ++by) {
    for (int bx = 0; bx < kWorldBlocks; ++bx) WriteFile(dir.file(BlockFileName(bx, by)), Rows(50, fill));
  }
}

TEST(WorldSource, BlockFilesAreNamedByColumnThenRow) {
  EXPECT_EQ(BlockFileName(2, 4), "block-2-4.txt");
  EXPECT_EQ(BlockFileName(0, 0), "block-0-0.txt");
}

TEST(WorldSource, BlockRowsGoTopToBottomAndCharactersLeftToRight) {
  WorldTiles tiles;
  SourceErrors errors;
  const std::string comment = "// a comment line does not count as a row\n";
  std::string text = comment + Rows(50);
  text[comment.size() + 51 * 3 + 7] = '#';  // row 3, column 7
  text[comment.size() + 51 * 49 + 49] = 'w';
  ParseBlock(text, "b.txt", TestLegend(), 2, 3, tiles, errors);
  ASSERT_TRUE(errors.empty()) << errors[0].Text();
  EXPECT_EQ(tiles(100 + 7, 150 + 3), 96);
  EXPECT_EQ(tiles(100 + 49, 150 + 49), 48);
  EXPECT_EQ(tiles(100 + 3, 150 + 7), 0);
}

TEST(WorldSource, AcceptsWindowsLineEndsAndNoFinalNewline) {
  WorldTiles tiles;
  SourceErrors errors;
  std::string text;
  for (int j = 0; j < 50; ++j) text += std::string(50, '#') + (j < 49 ? "\r\n" : "");
  ParseBlock(text, "b.txt", TestLegend(), 0, 0, tiles, errors);
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(tiles(49, 49), 96);
}

TEST(WorldSource, UnknownCharacterIsReportedWithLineAndColumn) {
  WorldTiles tiles;
  SourceErrors errors;
  std::string text = "// header\n" + Rows(50);
  text[10 + 51 * 4 + 12] = 'Z';
  text[10 + 51 * 4 + 20] = '\t';
  ParseBlock(text, "block-1-1.txt", TestLegend(), 1, 1, tiles, errors);
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[0].Text(), "block-1-1.txt:6:13: 'Z' is not in the legend");
  EXPECT_EQ(errors[1].Text(), "block-1-1.txt:6:21: byte 0x09 is not in the legend");
}

TEST(WorldSource, WrongSizesAreReported) {
  const WorldLegend legend = TestLegend();
  {
    WorldTiles tiles;
    SourceErrors errors;
    std::string text = Rows(50);
    text.insert(51 * 2, ".");  // row 2 one character too long
    ParseBlock(text, "b.txt", legend, 0, 0, tiles, errors);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].Text(), "b.txt:3:1: row 2 has 51 characters, expected 50");
  }
  {
    WorldTiles tiles;
    SourceErrors errors;
    ParseBlock(Rows(48), "b.txt", legend, 0, 0, tiles, errors);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].Text(), "b.txt:49: only 48 rows, expected 50");
  }
  {
    WorldTiles tiles;
    SourceErrors errors;
    ParseBlock(Rows(52), "b.txt", legend, 0, 0, tiles, errors);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].Text(), "b.txt:51:1: more than 50 rows (a block is 50 x 50 tiles)");
  }
  {
    WorldTiles tiles;
    SourceErrors errors;
    ParseBlock("", "b.txt", legend, 0, 0, tiles, errors);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].Text(), "b.txt:1: only 0 rows, expected 50");
  }
}

TEST(WorldSource, CompilesAFolderIntoColumnMajorTiles) {
  test::TempFolder dir;
  WriteWorld(dir);
  std::string block = Rows(50);
  block[51 * 0 + 1] = '#';   // block (0,0) cell (1, 0)
  block[51 * 1 + 0] = 'w';   // block (0,0) cell (0, 1)
  WriteFile(dir.file("block-0-0.txt"), block);
  std::string last = Rows(50);
  last[51 * 49 + 49] = '#';  // the world's last cell (249, 249)
  WriteFile(dir.file("block-4-4.txt"), last);

  SourceErrors errors;
  const WorldTiles tiles = CompileWorld(dir.path(), errors);
  ASSERT_TRUE(errors.empty()) << errors[0].Text();
  const auto& bytes = tiles.Bytes();
  ASSERT_EQ(bytes.size(), 62500u);
  EXPECT_EQ(bytes[250], 96);     // x = 1, y = 0: the second column starts at byte 250
  EXPECT_EQ(bytes[1], 48);       // x = 0, y = 1
  EXPECT_EQ(bytes[62499], 96);
  EXPECT_EQ(WorldTiles::Offset(3, 7), 757u);
}

TEST(WorldSource, MissingFilesAreNamed) {
  test::TempFolder dir;
  WriteWorld(dir);
  QFile::remove(QString::fromStdString(dir.file("block-3-1.txt")));
  SourceErrors errors;
  CompileWorld(dir.path(), errors);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].file, dir.file("block-3-1.txt"));
  EXPECT_NE(errors[0].message.find("cannot read"), std::string::npos);

  test::TempFolder empty;
  errors.clear();
  CompileWorld(empty.path(), errors);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].file, empty.file("legend.txt"));
}

TEST(WorldSource, BadLegendStopsBeforeTheBlocks) {
  test::TempFolder dir;
  WriteWorld(dir);
  WriteFile(dir.file(kLegendFileName), ". 0\n. 1\n");
  SourceErrors errors;
  CompileWorld(dir.path(), errors);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].line, 2);
}

TEST(WorldSource, BlockTextIsTheInverseOfParsing) {
  WorldTiles tiles;
  SourceErrors errors;
  std::string text = Rows(50);
  text[51 * 10 + 20] = '#';
  text[51 * 30 + 5] = 'w';
  ParseBlock(text, "b.txt", TestLegend(), 3, 2, tiles, errors);
  EXPECT_EQ(BlockText(tiles, TestLegend(), 3, 2, "b.txt", 1, errors), text);
  EXPECT_TRUE(errors.empty());
}

TEST(WorldSource, BlockTextReportsCodesWithoutCharacter) {
  WorldTiles tiles;
  tiles(51, 2) = 7;
  tiles(52, 2) = 7;
  tiles(60, 9) = 200;
  SourceErrors errors;
  const std::string text = BlockText(tiles, TestLegend(), 1, 0, "block-1-0.txt", 1, errors);
  ASSERT_EQ(errors.size(), 2u);  // once per code
  EXPECT_EQ(errors[0].Text(), "block-1-0.txt:3:2: tile code 7 has no character in the legend");
  EXPECT_EQ(errors[1].Text(), "block-1-0.txt:10:11: tile code 200 has no character in the legend");
  EXPECT_EQ(text[51 * 2 + 1], '?');
}

TEST(MapFileIo, WritesExactlyTheWorldAndReadsItBack) {
  test::TempFolder dir;
  WorldTiles tiles;
  tiles(1, 0) = 7;
  tiles(249, 249) = 191;
  ASSERT_EQ(WriteMapFile(tiles, dir.file("mapdata.dat")), "");
  QFile file(QString::fromStdString(dir.file("mapdata.dat")));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  ASSERT_EQ(bytes.size(), 62500);
  EXPECT_EQ(bytes[250], 7);
  EXPECT_EQ(static_cast<unsigned char>(bytes[62499]), 191);

  WorldTiles back;
  ASSERT_EQ(ReadMapFile(dir.file("mapdata.dat"), back), "");
  EXPECT_EQ(back.Bytes(), tiles.Bytes());
}

TEST(MapFileIo, RefusesShortFilesAndIgnoresTrailingBytes) {
  test::TempFolder dir;
  WriteFile(dir.file("short.dat"), std::string(62499, '\0'));
  WorldTiles tiles;
  EXPECT_NE(ReadMapFile(dir.file("short.dat"), tiles).find("62499 bytes"), std::string::npos);
  std::string longer(62500, '\x05');
  longer += "editor extras";
  WriteFile(dir.file("long.dat"), longer);
  ASSERT_EQ(ReadMapFile(dir.file("long.dat"), tiles), "");
  EXPECT_EQ(tiles(249, 249), 5);
  EXPECT_NE(ReadMapFile(dir.file("missing.dat"), tiles), "");
}

TEST(MapFileIo, UnwritablePathIsReported) {
  WorldTiles tiles;
  EXPECT_NE(WriteMapFile(tiles, "/nonexistent-folder/mapdata.dat").find("cannot write"),
            std::string::npos);
}

}  // namespace
}  // namespace moriva::worldgen
