#include <gtest/gtest.h>

#include "ToolRun.h"
#include "editor/BulkEdits.h"
#include "platform/FileStore.h"
#include "support/TempFolder.h"
#include "world/MapFile.h"

namespace moriva {
namespace {

using test::RunTool;
using test::ToolRun;

constexpr std::uint8_t kTailByte = 0xAB;

class MapEditToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    map(3, 3) = 3;
    map(200, 249) = 3;
    map(7, 9) = 7;
    map(60, 60) = kEdgeGround;  // a corner of block (1, 1): rock above and to the left
    map(60, 59) = kEdgeRock;
    map(59, 60) = kEdgeRock;
    ASSERT_TRUE(SaveMap(in, map));
    // A longer file: the bytes beyond the world travel with it.
    Bytes bytes;
    ASSERT_TRUE(ReadFileBytes(in, bytes));
    bytes.push_back(kTailByte);
    ASSERT_TRUE(WriteFileAtomically(in, bytes));
  }

  MapGrid Written(const std::string& path) {
    MapGrid m;
    EXPECT_TRUE(LoadMap(path, m));
    Bytes bytes;
    EXPECT_TRUE(ReadFileBytes(path, bytes));
    EXPECT_EQ(bytes.size(), static_cast<std::size_t>(kMapFileBytes + 1));
    if (!bytes.empty()) {
      EXPECT_EQ(bytes.back(), kTailByte);
    }
    return m;
  }

  test::TempFolder folder;
  std::string in = folder.file("in.dat");
  std::string out = folder.file("out.dat");
  MapGrid map;
};

TEST_F(MapEditToolTest, FillSetsTheBlock) {
  const ToolRun run = RunTool({"map", "fill", in, out, "1", "2", "5"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  MapGrid expected = map;
  FillBlock(expected, 1, 2, 5);
  EXPECT_EQ(Written(out), expected);
  EXPECT_EQ(Written(in), map);  // IN is only read
}

struct ReplaceToolCase {
  const char* name;
  const char* from;
  const char* to;
  int fromCode;
  int toCode;
};

class MapReplaceToolTest : public MapEditToolTest,
                           public ::testing::WithParamInterface<ReplaceToolCase> {};

TEST_P(MapReplaceToolTest, ReadsCodesAsTheFieldsDo) {
  const ReplaceToolCase& c = GetParam();
  // OUT may be IN.
  const ToolRun run = RunTool({"map", "replace", in, in, c.from, c.to});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  MapGrid expected = map;
  ReplaceCode(expected, static_cast<std::uint8_t>(c.fromCode), static_cast<std::uint8_t>(c.toCode));
  EXPECT_EQ(Written(in), expected);
}

INSTANTIATE_TEST_SUITE_P(Fields, MapReplaceToolTest,
                         ::testing::Values(ReplaceToolCase{"HalfToEven", "3", "12.5", 3, 12},
                                           ReplaceToolCase{"TrailingLetters", "7abc", "9", 7, 9},
                                           ReplaceToolCase{"BothEmpty", "", "", 0, 0}),
                         [](const ::testing::TestParamInfo<ReplaceToolCase>& p) {
                           return std::string(p.param.name);
                         });

TEST_F(MapEditToolTest, EdgeSetsTheCornersOfTheBlock) {
  const ToolRun run = RunTool({"map", "edge", in, out, "1", "1"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  MapGrid expected = map;
  expected(60, 60) = 11;
  EXPECT_EQ(Written(out), expected);
}

struct BadEditCase {
  const char* name;
  std::vector<std::string> args;  // "IN" and "OUT" stand for the test's files
  const char* mentions;
};

class MapEditBadInputTest : public MapEditToolTest,
                            public ::testing::WithParamInterface<BadEditCase> {};

TEST_P(MapEditBadInputTest, ExitsTwoWithOneLineAndWritesNothing) {
  std::vector<std::string> args{"map"};
  for (const std::string& a : GetParam().args) args.push_back(a == "IN" ? in : a == "OUT" ? out : a);
  const ToolRun run = RunTool(args);
  EXPECT_EQ(run.exitCode, 2) << run.err;
  EXPECT_EQ(run.errLines(), 1) << run.err;
  EXPECT_NE(run.err.find(GetParam().mentions), std::string::npos) << run.err;
  EXPECT_TRUE(run.out.empty());
  EXPECT_EQ(ProbeFile(out), FileKind::Missing);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, MapEditBadInputTest,
    ::testing::Values(
        BadEditCase{"FillBlockOutside", {"fill", "IN", "OUT", "5", "0", "1"}, "BX"},
        BadEditCase{"FillCodeTooLarge", {"fill", "IN", "OUT", "0", "0", "256"}, "CODE"},
        BadEditCase{"FillMissingCode", {"fill", "IN", "OUT", "0", "0"}, "usage"},
        BadEditCase{"ReplaceFromTooLarge", {"replace", "IN", "OUT", "300", "1"}, "FROM"},
        BadEditCase{"ReplaceToNegative", {"replace", "IN", "OUT", "1", "-2"}, "TO"},
        BadEditCase{"EdgeBlockNegative", {"edge", "IN", "OUT", "0", "-1"}, "BY"},
        BadEditCase{"EdgeMissingMap", {"edge", "nowhere.dat", "OUT", "0", "0"}, "no such file"},
        BadEditCase{"UnknownCommand", {"paint", "IN", "OUT"}, "unknown map command"}),
    [](const ::testing::TestParamInfo<BadEditCase>& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace moriva
