#include "editor/ReplaceField.h"

#include <gtest/gtest.h>

namespace moriva {
namespace {

TEST(ReplaceField, ReadsTheLeadingNumberAsATileCodeOrSaysWhyNot) {
  struct Case {
    const char* text;
    bool ok;
    int code;
  } const cases[] = {{"3", true, 3},         {"12.5", true, 12},  {"13.5", true, 14},  // halves to even
                     {"7abc", true, 7},      {"", true, 0},       {" 1 2 ", true, 12},  // blanks anywhere
                     {"1e2", true, 100},     {"&HFF", true, 255}, {"-1", false, 0},
                     {"256", false, 0},      {"255.5", false, 0}, {"99999999999999999999999999999999", false, 0}};
  for (const Case& c : cases) {
    const ReplaceFieldReading r = ReadReplaceField(c.text);
    EXPECT_EQ(r.ok, c.ok) << '"' << c.text << '"';
    if (c.ok) {
      EXPECT_EQ(r.code, c.code) << '"' << c.text << '"';
    } else {
      EXPECT_NE(r.why.find("not a tile code"), std::string::npos) << r.why;
    }
  }
}

}  // namespace
}  // namespace moriva
