#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "WorldSource.h"

namespace moriva::worldgen {
namespace {

std::string Rows(int count, const std::string& lineEnd = "\n") {
  std::string text;
  for (int j = 0; j < count; ++j) text += std::string(kBlockTiles, '.') + lineEnd;
  return text;
}

std::vector<std::string> Texts(const SourceErrors& errors) {
  std::vector<std::string> texts;
  for (const SourceError& e : errors) texts.push_back(e.Text());
  return texts;
}

SourceErrors legendErrors;
const WorldLegend kLegend = WorldLegend::Parse(". 0\n# 96\n", "legend.txt", legendErrors);

using BadSource = std::tuple<const char*, std::string, std::vector<std::string>>;  // name, text, errors

// What each character stands for is the program test's part.
TEST(WorldLegend, GoodLinesAreReadAndEveryBadOneIsLocatedWithItsCause) {
  const std::string noPicture = "has no picture (codes are 0..191)", noCode = "expected a tile code (a whole number 0..191) after '.'";
  // Comment, blank and blank-looking lines are skipped; tabs and Windows line ends accepted.
  const std::string good = "// header\n\n.  0   night sky\n#\t96\trock\r\n@ 142\n   \n/ 191 last\n";
  const BadSource cases[] = {
      {"Good", good, {}},
      {"CharacterTwice", ". 0\n. 1\n", {"legend.txt:2:1: character '.' is already defined on line 1"}},
      {"CodeTwice", ". 0\n# 0\n", {"legend.txt:2:3: tile code 0 already has the character '.' (line 1)"}},
      {"CodeWithoutPicture", ". 192\n", {"legend.txt:1:3: tile code 192 " + noPicture}},
      {"Word", ". rock\n", {"legend.txt:1:3: " + noCode}},
      {"CodeRunsOn", ". 12x\n", {"legend.txt:1:3: " + noCode}},
      {"NoSpace", ".0\n", {"legend.txt:1:2: expected a space between the character and its tile code"}},
      {"Indented", "  5 indented\n", {"legend.txt:1:1: a legend line must start with a printable, non-blank character"}},
      {"OnlyComments", "// only comments\n", {"legend.txt: the legend defines no characters"}},
      {"TwoBadLines", ". 300\n# x\n@ 142\n", {"legend.txt:1:3: tile code 300 " + noPicture, "legend.txt:2:3: expected a tile code (a whole number 0..191) after '#'"}},
  };
  for (const auto& [name, text, expected] : cases) {
    SourceErrors errors;
    WorldLegend::Parse(text, "legend.txt", errors);
    EXPECT_EQ(Texts(errors), expected) << name;
  }
  SourceErrors errors;
  const WorldLegend legend = WorldLegend::Parse(good, "legend.txt", errors);
  EXPECT_EQ(std::vector({legend.Code('.'), legend.Code('#'), legend.Code('@'), legend.Code('/'), legend.Code('x')}),
            (std::vector<std::optional<std::uint8_t>>{0, 96, 142, 191, std::nullopt}));
}

// Where each row and character lands, and the way back, are the program test's part.
TEST(WorldSource, GoodRowsAreReadAndEveryBadOneIsLocatedWithItsCause) {
  const BadSource cases[] = {
      {"CommentAndWindowsLineEnds", "// header\r\n" + Rows(50, "\r\n"), {}},
      {"UnknownCharacters", "// header\n" + Rows(4) + std::string(12, '.') + "Z......." + "\t" + std::string(29, '.') + "\n" + Rows(45),
       {"b.txt:6:13: 'Z' is not in the legend", "b.txt:6:21: byte 0x09 is not in the legend"}},
      {"LongRow", Rows(2) + "." + Rows(48), {"b.txt:3:1: row 2 has 51 characters, expected 50"}},
      {"TooFewRows", Rows(48), {"b.txt:49: only 48 rows, expected 50"}},
      {"TooManyRows", Rows(52), {"b.txt:51:1: more than 50 rows (a block is 50 x 50 tiles)"}},
      {"Empty", "", {"b.txt:1: only 0 rows, expected 50"}},
  };
  for (const auto& [name, text, expected] : cases) {
    WorldTiles tiles;
    SourceErrors errors;
    ParseBlock(text, "b.txt", kLegend, 1, 1, tiles, errors);
    EXPECT_EQ(Texts(errors), expected) << name;
  }
}

}  // namespace
}  // namespace moriva::worldgen
