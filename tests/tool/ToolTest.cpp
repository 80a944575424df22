#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <cstring>

#include "editor/BulkEdits.h"
#include "platform/FileStore.h"
#include "platform/Pictures.h"
#include "support/TempFolder.h"
#include "world/DrawBlock.h"
#include "world/MapFile.h"
#include "world/SaveFile.h"

namespace moriva {
namespace {

// One run of the built moriva-tool.
struct ToolRun {
  int exitCode = -1;
  std::string out, err;
  QJsonObject json() const { return QJsonDocument::fromJson(QByteArray::fromStdString(out)).object(); }
};

ToolRun RunTool(const std::vector<std::string>& args) {
  QStringList list;
  for (const std::string& a : args) list << QString::fromStdString(a);
  QProcess process;
  process.start(QStringLiteral(MORIVA_TOOL), list);
  if (!process.waitForFinished(60000)) return {};
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString()};
}

void Write(const std::string& path, const Bytes& bytes) { ASSERT_TRUE(WriteFileAtomically(path, bytes)); }

class ToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    map(0, 0) = 7, map(1, 0) = 8, map(60, 120) = 191, map(249, 249) = 200;  // 200: a code with no picture
    for (int y = 0; y < 10; ++y) map(100, y) = 8;
    ASSERT_TRUE(SaveMap(mapPath, map));
  }
  // The map file saved again with `tail` after the world.
  Bytes SaveMapWith(const Bytes& tail) {
    Bytes bytes;
    EXPECT_TRUE(SaveMap(mapPath, map) && ReadFileBytes(mapPath, bytes));
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    Write(mapPath, bytes);
    return bytes;
  }

  test::TempFolder folder;
  std::string mapPath = folder.file("mapdata.dat");
  MapGrid map;
};

TEST_F(ToolTest, MapInfoCountsOnlyTheWorldOfALongerFile) {
  SaveMapWith(Bytes(100, 9));
  const ToolRun run = RunTool({"map", "info", mapPath});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.json()["size"].toInt(), 62600);
  EXPECT_EQ(run.json()["codes"].toObject(), (QJsonObject{{"0", 62500 - 14}, {"7", 1}, {"8", 11}, {"191", 1}, {"200", 1}}));
}

TEST_F(ToolTest, RenderBlockIsDrawBlockOfTheNamedBlock) {
  const std::string blockFile = folder.file("block.bmp");
  ASSERT_EQ(RunTool({"map", "render-block", mapPath, "1", "2", blockFile}).exitCode, 0);
  Surface block(kBlockPixels, kBlockPixels);
  DrawBlock(map, LoadPicture("tiles"), 1, 2, block);
  EXPECT_EQ(LoadImageFile(blockFile), block);
}

TEST_F(ToolTest, SaveShowListsTheRingAsStoredWithNullForNaN) {
  const std::string save = SaveFilePath(folder.path());
  SaveSlotData d;
  d.BlockX = 2, d.RestartY = 1498.5f, d.BlockColor[2][4] = 255, d.MissCount[0][1] = 1;
  ASSERT_TRUE(WriteNextSlot(save, d) && WriteNextSlot(save, d));
  // Slot 1's block column damaged and slot 0's RestartX a quiet NaN: shown as stored.
  Bytes bytes;
  ASSERT_TRUE(ReadFileBytes(save, bytes));
  bytes[static_cast<std::size_t>(RecordOffset(SlotFirstRecord(1)))] = 77;
  std::memcpy(&bytes[static_cast<std::size_t>(RecordOffset(SlotFirstRecord(0) + 2))], "\0\0\xC0\x7F", 4);
  Write(save, bytes);
  const ToolRun run = RunTool({"save", "show", save});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.json()["SaveSlot"].toInt(), 2) << run.out;
  const QJsonArray ring = run.json()["slots"].toArray();
  ASSERT_EQ(ring.size(), 10);
  for (int k = 0; k < 10; ++k) EXPECT_EQ(ring[k]["present"].toBool(), k < 2) << k;
  EXPECT_TRUE(ring[0]["RestartX"].isNull());
  EXPECT_EQ(ring[0]["RestartY"].toDouble(), 1498.5);
  // Outer index the block column, inner the row.
  EXPECT_EQ(ring[0]["BlockColor"][2][4].toInt(), 255);
  EXPECT_EQ(ring[0]["MissCount"][0][1].toInt(), 1);
  EXPECT_EQ(ring[1]["BlockX"].toInt(), 77);
}

// Edits write OUT with the bytes beyond the world; IN is only read, unless it is OUT too.
TEST_F(ToolTest, EditsWriteTheEditedMapWithItsTail) {
  map(60, 60) = kEdgeGround, map(60, 59) = kEdgeRock, map(59, 60) = kEdgeRock;  // a corner of block (1, 1)
  map(3, 3) = map(200, 249) = 3;
  // The arguments after IN OUT; whether OUT is IN; the edit the map should see.
  const struct { const char* name; std::vector<std::string> args; bool inPlace; void (*edit)(MapGrid&); } cases[] = {
      {"fill", {"fill", "1", "2", "5"}, false, [](MapGrid& m) { FillBlock(m, 1, 2, 5); }},
      {"replace in place, read as the fields", {"replace", "3", "12.5"}, true, [](MapGrid& m) { ReplaceCode(m, 3, 12); }},
      {"edge at a corner", {"edge", "1", "1"}, false, [](MapGrid& m) { m(60, 60) = 11; }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Bytes bytes = SaveMapWith({0xAB});
    const std::string out = c.inPlace ? mapPath : folder.file("out.dat");
    std::vector<std::string> args{"map", c.args[0], mapPath, out};
    args.insert(args.end(), c.args.begin() + 1, c.args.end());
    const ToolRun run = RunTool(args);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    MapGrid expected = map, written;
    c.edit(expected);
    EXPECT_TRUE(LoadMap(out, written) && written == expected);
    Bytes outBytes, inBytes;
    ASSERT_TRUE(ReadFileBytes(out, outBytes) && ReadFileBytes(mapPath, inBytes));
    EXPECT_TRUE(outBytes.size() == bytes.size() && outBytes.back() == 0xAB) << "the tail is kept";
    EXPECT_TRUE(c.inPlace || inBytes == bytes) << "IN is only read";
  }
}

// A bad input: status 2, one line on the error stream naming the fault, nothing on the output.
TEST_F(ToolTest, BadInputIsRefusedOnOneLine) {
  Write(folder.file("empty.dat"), {});
  Write(folder.file("one.dat"), Bytes{3});
  Write(folder.file("truncated.dat"), Bytes(62499, 1));
  // "@x" stands for the file x in the test's folder.
  const struct { const char* name; std::vector<std::string> args; const char* mentions; } cases[] = {
      {"empty map", {"map", "info", "@empty.dat"}, "empty"},
      {"truncated map", {"map", "render-world", "@truncated.dat", "@a.bmp"}, "not a whole map (62499 bytes"},
      {"folder as a map", {"map", "info", "@"}, "not a file"},
      {"absent map", {"map", "info", "@absent.dat"}, "no such file"},
      {"block x out of range", {"map", "render-block", "@mapdata.dat", "5", "0", "@a.bmp"}, "BX"},
      {"render-block without output", {"map", "render-block", "@mapdata.dat", "0", "0"}, "usage"},
      {"output in a missing folder", {"map", "render-block", "@mapdata.dat", "0", "0", "@no/a.bmp"}, "cannot write"},
      {"export below a file", {"assets", "export", "@one.dat/pictures"}, "cannot create"},
      {"empty save", {"save", "show", "@empty.dat"}, "empty"},
      {"short save", {"save", "show", "@one.dat"}, "too short"},
      {"unknown save command", {"save", "load", "@one.dat"}, "unknown save command"},
      {"fill code too large", {"map", "fill", "@mapdata.dat", "@a.bmp", "0", "0", "256"}, "CODE"},
      {"replace to a negative", {"map", "replace", "@mapdata.dat", "@a.bmp", "1", "-2"}, "TO"},
      {"unknown map command", {"map", "paint", "@mapdata.dat", "@a.bmp"}, "unknown map command"},
      {"unknown command", {"frobnicate"}, "unknown command"},
      {"no command", {}, "missing command"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> args;
    for (const std::string& a : c.args) args.push_back(a == "@" ? folder.path() : a[0] == '@' ? folder.file(a.substr(1)) : a);
    const ToolRun run = RunTool(args);
    EXPECT_EQ(run.exitCode, 2) << run.err;
    EXPECT_EQ(std::ranges::count(run.err, '\n'), 1) << run.err;
    EXPECT_TRUE(run.err.starts_with("moriva-tool: ") && run.err.find(c.mentions) != std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty()) << run.out;
    EXPECT_EQ(ProbeFile(folder.file("a.bmp")), FileKind::Missing);
  }
}

}  // namespace
}  // namespace moriva
