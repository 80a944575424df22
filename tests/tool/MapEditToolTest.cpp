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

struct EditToolCase {
  const char* name;
  std::vector<std::string> args;  // after IN OUT; OUT is IN for the replace, which may write its input
  void (*expect)(MapGrid&);
};

class MapEditToolCaseTest : public MapEditToolTest, public ::testing::WithParamInterface<EditToolCase> {};

TEST_P(MapEditToolCaseTest, WritesTheEditedMapWithItsTail) {
  const std::string& command = GetParam().args.front();
  const std::string& target = command == "replace" ? in : out;
  std::vector<std::string> args{"map", command, in, target};
  args.insert(args.end(), GetParam().args.begin() + 1, GetParam().args.end());
  const ToolRun run = RunTool(args);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  MapGrid expected = map;
  GetParam().expect(expected);
  EXPECT_EQ(Written(target), expected);
  if (target != in) {
    EXPECT_EQ(Written(in), map) << "IN is only read";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Edits, MapEditToolCaseTest,
    ::testing::Values(EditToolCase{"Fill", {"fill", "1", "2", "5"}, [](MapGrid& m) { FillBlock(m, 1, 2, 5); }},
                      EditToolCase{"ReplaceReadsAsTheFields", {"replace", "3", "12.5"},
                                   [](MapGrid& m) { ReplaceCode(m, 3, 12); }},
                      EditToolCase{"ReplaceTrailingLetters", {"replace", "7abc", "9"},
                                   [](MapGrid& m) { ReplaceCode(m, 7, 9); }},
                      EditToolCase{"EdgeCorner", {"edge", "1", "1"}, [](MapGrid& m) { m(60, 60) = 11; }}),
    [](const ::testing::TestParamInfo<EditToolCase>& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace moriva
