#include <gtest/gtest.h>

#include <QFile>
#include <fstream>

#include "support/TempFolder.h"
#include "MapFileIo.h"
#include "WorldSource.h"

namespace moriva::worldgen {
namespace {

constexpr const char* kLegend = ". 0\n# 96\nw 48\n";
constexpr int kRow = kBlockTiles + 1;  // a block row and its line end

std::string Rows(int count) {
  std::string text;
  for (int j = 0; j < count; ++j) text += std::string(kBlockTiles, '.') + "\n";
  return text;
}

WorldLegend TestLegend() {
  SourceErrors errors;
  return WorldLegend::Parse(kLegend, "legend.txt", errors);
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

void WriteWorld(const test::TempFolder& dir) {
  WriteFile(dir.file(kLegendFileName), kLegend);
  for (int by = 0; by < kWorldBlocks; ++by) {
    for (int bx = 0; bx < kWorldBlocks; ++bx) WriteFile(dir.file(BlockFileName(bx, by)), Rows(50));
  }
}

TEST(WorldSource, RowsGoTopToBottomCommentsSkippedAnyLineEnd) {
  EXPECT_EQ(BlockFileName(2, 4), "block-2-4.txt");
  const std::string comment = "// a comment line does not count as a row\n";
  std::string text = comment + Rows(50);
  text[comment.size() + kRow * 3 + 7] = '#';  // row 3, column 7
  text[comment.size() + kRow * 49 + 49] = 'w';
  WorldTiles tiles;
  SourceErrors errors;
  ParseBlock(text, "b.txt", TestLegend(), 2, 3, tiles, errors);
  ASSERT_TRUE(errors.empty()) << errors[0].Text();
  EXPECT_EQ(tiles(100 + 7, 150 + 3), 96);
  EXPECT_EQ(tiles(100 + 49, 150 + 49), 48);
  EXPECT_EQ(tiles(100 + 3, 150 + 7), 0);
  // The way back: a block's text is what was parsed.
  EXPECT_EQ(BlockText(tiles, TestLegend(), 2, 3, "b.txt", 1, errors), text.substr(comment.size()));

  std::string windows;
  for (int j = 0; j < 50; ++j) windows += std::string(50, '#') + (j < 49 ? "\r\n" : "");
  ParseBlock(windows, "b.txt", TestLegend(), 0, 0, tiles, errors);
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(tiles(49, 49), 96);
}

struct BadBlock {
  const char* name;
  std::string text;
  std::vector<std::string> errors;
};

std::string WithBytes(std::string text, std::initializer_list<std::pair<int, char>> bytes) {
  for (const auto& [at, c] : bytes) text[at] = c;
  return text;
}

TEST(WorldSource, EveryBadBlockIsReportedWithLineAndColumn) {
  const std::vector<BadBlock> cases = {
      {"UnknownCharacters",
       WithBytes("// header\n" + Rows(50), {{10 + kRow * 4 + 12, 'Z'}, {10 + kRow * 4 + 20, '\t'}}),
       {"b.txt:6:13: 'Z' is not in the legend", "b.txt:6:21: byte 0x09 is not in the legend"}},
      {"LongRow", Rows(50).insert(kRow * 2, "."), {"b.txt:3:1: row 2 has 51 characters, expected 50"}},
      {"TooFewRows", Rows(48), {"b.txt:49: only 48 rows, expected 50"}},
      {"TooManyRows", Rows(52), {"b.txt:51:1: more than 50 rows (a block is 50 x 50 tiles)"}},
      {"Empty", "", {"b.txt:1: only 0 rows, expected 50"}},
  };
  for (const BadBlock& c : cases) {
    WorldTiles tiles;
    SourceErrors errors;
    ParseBlock(c.text, "b.txt", TestLegend(), 1, 1, tiles, errors);
    std::vector<std::string> texts;
    for (const SourceError& e : errors) texts.push_back(e.Text());
    EXPECT_EQ(texts, c.errors) << c.name;
  }
}

TEST(WorldSource, BlockTextReportsEachCodeWithoutCharacterOnce) {
  WorldTiles tiles;
  tiles(51, 2) = 7;
  tiles(52, 2) = 7;
  tiles(60, 9) = 200;
  SourceErrors errors;
  const std::string text = BlockText(tiles, TestLegend(), 1, 0, "block-1-0.txt", 1, errors);
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[0].Text(), "block-1-0.txt:3:2: tile code 7 has no character in the legend");
  EXPECT_EQ(errors[1].Text(), "block-1-0.txt:10:11: tile code 200 has no character in the legend");
  EXPECT_EQ(text[kRow * 2 + 1], '?');
}

TEST(WorldSource, CompilesAFolderIntoColumnMajorTilesAndNamesWhatIsMissing) {
  test::TempFolder dir;
  WriteWorld(dir);
  WriteFile(dir.file("block-0-0.txt"), WithBytes(Rows(50), {{1, '#'}, {kRow, 'w'}}));
  WriteFile(dir.file("block-4-4.txt"), WithBytes(Rows(50), {{kRow * 49 + 49, '#'}}));
  SourceErrors errors;
  const WorldTiles tiles = CompileWorld(dir.path(), errors);
  ASSERT_TRUE(errors.empty()) << errors[0].Text();
  ASSERT_EQ(tiles.Bytes().size(), 62500u);
  EXPECT_EQ(tiles.Bytes()[250], 96);  // x = 1, y = 0: the second column starts at byte 250
  EXPECT_EQ(tiles.Bytes()[1], 48);    // x = 0, y = 1
  EXPECT_EQ(tiles.Bytes()[62499], 96);

  QFile::remove(QString::fromStdString(dir.file("block-3-1.txt")));
  CompileWorld(dir.path(), errors);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].file, dir.file("block-3-1.txt"));
  EXPECT_NE(errors[0].message.find("cannot read"), std::string::npos);

  // A bad legend stops before the blocks are read.
  WriteFile(dir.file(kLegendFileName), ". 0\n. 1\n");
  errors.clear();
  CompileWorld(dir.path(), errors);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].line, 2);
}

TEST(MapFileIo, WritesTheWorldReadsItBackAndRefusesShortFiles) {
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
  WorldTiles back;
  ASSERT_EQ(ReadMapFile(dir.file("mapdata.dat"), back), "");
  EXPECT_EQ(back.Bytes(), tiles.Bytes());

  WriteFile(dir.file("short.dat"), std::string(62499, '\0'));
  EXPECT_NE(ReadMapFile(dir.file("short.dat"), back).find("62499 bytes"), std::string::npos);
  WriteFile(dir.file("long.dat"), std::string(62500, '\x05') + "editor extras");
  ASSERT_EQ(ReadMapFile(dir.file("long.dat"), back), "");
  EXPECT_EQ(back(249, 249), 5);
  EXPECT_NE(ReadMapFile(dir.file("missing.dat"), back), "");
  EXPECT_NE(WriteMapFile(tiles, "/nonexistent-folder/mapdata.dat").find("cannot write"),
            std::string::npos);
}

}  // namespace
}  // namespace moriva::worldgen
