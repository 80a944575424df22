#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "WorldLegend.h"

namespace moriva::worldgen {
namespace {

WorldLegend Parse(const std::string& text, SourceErrors& errors) {
  return WorldLegend::Parse(text, "legend.txt", errors);
}

TEST(WorldLegend, ReadsCharactersCodesAndSkipsComments) {
  SourceErrors errors;
  // Comment, blank and blank-looking lines are skipped; tabs and Windows line ends accepted.
  const auto legend =
      Parse("// header\n\n.  0   night sky\n#\t96\trock\r\n@ 142\n   \n/ 191 last\n", errors);
  ASSERT_TRUE(errors.empty()) << errors[0].Text();
  EXPECT_EQ(legend.Size(), 4);
  for (const auto& [c, code] : {std::pair{'.', 0}, {'#', 96}, {'@', 142}, {'/', 191}}) {
    EXPECT_EQ(legend.Code(c), code) << c;
  }
  EXPECT_FALSE(legend.Code('x').has_value());
  EXPECT_FALSE(legend.Code('\xe3').has_value());
  EXPECT_EQ(legend.Character(96), '#');
  EXPECT_FALSE(legend.Character(5).has_value());
}

TEST(WorldLegend, EveryBadLineIsReportedWithLineColumnAndCause) {
  struct BadLegend {
    const char* text;
    int line;
    int column;
    const char* fragment;
  };
  const BadLegend cases[] = {
      {". 0\n. 1\n", 2, 1, "already defined on line 1"},
      {". 0\n# 0\n", 2, 3, "already has the character '.'"},
      {". 192\n", 1, 3, "has no picture"},
      {". 99999999999\n", 1, 3, "has no picture"},
      {". rock\n", 1, 3, "expected a tile code"},
      {". 12x\n", 1, 3, "expected a tile code"},
      {".0\n", 1, 2, "expected a space"},
      {"  5 indented\n", 1, 1, "printable, non-blank"},
      {"// only comments\n", 0, 0, "defines no characters"},
  };
  for (const BadLegend& c : cases) {
    SourceErrors errors;
    Parse(c.text, errors);
    ASSERT_EQ(errors.size(), 1u) << c.text;
    EXPECT_EQ(std::tuple(errors[0].file, errors[0].line, errors[0].column),
              std::tuple(std::string("legend.txt"), c.line, c.column)) << c.text;
    EXPECT_NE(errors[0].message.find(c.fragment), std::string::npos) << errors[0].Text();
  }
  SourceErrors errors;
  Parse(". 300\n# x\n@ 142\n", errors);
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[0].Text().rfind("legend.txt:1:3: ", 0), 0u);
  EXPECT_EQ(errors[1].Text().rfind("legend.txt:2:3: ", 0), 0u);
}

}  // namespace
}  // namespace moriva::worldgen
