#include "editor/ReplaceField.h"

#include <gtest/gtest.h>

namespace moriva {
namespace {

struct FieldCase { const char* name; const char* text; bool ok; int code; };

class ReplaceFieldTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(ReplaceFieldTest, ReadsTheLeadingNumberAsATileCode) {
  const FieldCase& c = GetParam();
  const ReplaceFieldReading r = ReadReplaceField(c.text);
  EXPECT_EQ(r.ok, c.ok) << '"' << c.text << '"';
  if (c.ok) {
    EXPECT_EQ(r.code, c.code) << '"' << c.text << '"';
  } else {
    EXPECT_NE(r.why.find("not a tile code"), std::string::npos) << r.why;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ReplaceFieldTest,
    ::testing::Values(FieldCase{"Whole", "3", true, 3},
                      FieldCase{"HalfGoesToEvenBelow", "12.5", true, 12},
                      FieldCase{"HalfGoesToEvenAbove", "13.5", true, 14},
                      FieldCase{"TrailingLetters", "7abc", true, 7},
                      FieldCase{"Empty", "", true, 0},
                      FieldCase{"BlanksAnywhere", " 1 2 ", true, 12},
                      FieldCase{"Exponent", "1e2", true, 100},
                      FieldCase{"Hex", "&HFF", true, 255},
                      FieldCase{"Negative", "-1", false, 0},
                      FieldCase{"TooLarge", "256", false, 0},
                      FieldCase{"RoundsPastHighest", "255.5", false, 0},
                      FieldCase{"LongDigits", "99999999999999999999999999999999", false, 0}),
    [](const ::testing::TestParamInfo<FieldCase>& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace moriva
