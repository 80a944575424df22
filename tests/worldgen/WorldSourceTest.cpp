#include <gtest/gtest.h>

#include "MapFileIo.h"
#include "WorldgenFiles.h"

namespace moriva::worldgen {
namespace {

constexpr int kRow = kBlockTiles + 1;  // a block row and its line end

std::string Rows(int count) {
  std::string text;
  for (int j = 0; j < count; ++j) text += std::string(kBlockTiles, '.') + "\n";
  return text;
}

std::string WithBytes(std::string text, std::initializer_list<std::pair<int, char>> bytes) {
  for (const auto& [at, c] : bytes) text[at] = c;
  return text;
}

WorldLegend TestLegend() {
  SourceErrors errors;
  return WorldLegend::Parse(". 0\n# 96\nw 48\n", "legend.txt", errors);
}

TEST(WorldSource, RowsGoTopToBottomCommentsSkippedAnyLineEnd) {
  EXPECT_EQ(BlockFileName(2, 4), "block-2-4.txt");
  const std::string comment = "// a comment line does not count as a row\n";
  const int at = static_cast<int>(comment.size());
  const std::string text =
      WithBytes(comment + Rows(50), {{at + kRow * 3 + 7, '#'}, {at + kRow * 49 + 49, 'w'}});
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

TEST(WorldSource, EveryBadBlockIsReportedWithLineAndColumn) {
  struct BadBlock {
    const char* name;
    std::string text;
    std::vector<std::string> errors;
  };
  const std::vector<BadBlock> cases = {
      {"UnknownCharacters",
       WithBytes("// header\n" + Rows(50), {{10 + kRow * 4 + 12, 'Z'}, {10 + kRow * 4 + 20, '\t'}}),
       {"b.txt:6:13: 'Z' is not in the legend", "b.txt:6:21: byte 0x09 is not in the legend"}},
      {"LongRow", Rows(50).insert(kRow * 2, "."),
       {"b.txt:3:1: row 2 has 51 characters, expected 50"}},
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

TEST(WorldSource, ABadLegendStopsBeforeTheBlocksAreRead) {
  test::TempFolder dir;
  WriteWorld(dir);
  WriteFile(dir.file(kLegendFileName), ". 0\n. 1\n");
  SourceErrors errors;
  CompileWorld(dir.path(), errors);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].line, 2);
}

TEST(MapFileIo, RefusesShortMissingAndUnwritableFiles) {
  test::TempFolder dir;
  WorldTiles back;
  WriteFile(dir.file("short.dat"), std::string(62499, '\0'));
  EXPECT_NE(ReadMapFile(dir.file("short.dat"), back).find("62499 bytes"), std::string::npos);
  EXPECT_NE(ReadMapFile(dir.file("missing.dat"), back), "");
  EXPECT_NE(WriteMapFile(back, "/nonexistent-folder/mapdata.dat").find("cannot write"),
            std::string::npos);
}

}  // namespace
}  // namespace moriva::worldgen
