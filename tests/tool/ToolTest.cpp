#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <algorithm>

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
  std::string out;
  std::string err;

  QJsonDocument json() const { return QJsonDocument::fromJson(QByteArray::fromStdString(out)); }
  int errLines() const { return static_cast<int>(std::count(err.begin(), err.end(), '\n')); }
};

ToolRun RunTool(const std::vector<std::string>& args) {
  QStringList list;
  for (const std::string& a : args) list << QString::fromStdString(a);
  QProcess process;
  process.start(QStringLiteral(MORIVA_TOOL), list);
  ToolRun run;
  if (!process.waitForFinished(60000)) return run;
  run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.out = process.readAllStandardOutput().toStdString();
  run.err = process.readAllStandardError().toStdString();
  return run;
}

void Write(const std::string& path, const Bytes& bytes) { ASSERT_TRUE(WriteFileAtomically(path, bytes)); }

class ToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    map(0, 0) = 7;
    map(1, 0) = 8;
    map(60, 120) = 191;
    map(249, 249) = 200;  // a code with no picture
    for (int y = 0; y < 10; ++y) map(100, y) = 8;
    ASSERT_TRUE(SaveMap(mapPath, map));
    Write(folder.file("empty.dat"), {});
    Write(folder.file("one.dat"), Bytes{3});
    Write(folder.file("truncated.dat"), Bytes(62499, 1));
    Write(folder.file("notes.txt"), Bytes{'h', 'e', 'l', 'l', 'o', '\n'});
  }

  test::TempFolder folder;
  std::string mapPath = folder.file("mapdata.dat");
  MapGrid map;
};

TEST_F(ToolTest, MapInfoCountsOnlyTheWorldOfALongerFile) {
  Bytes bytes;
  ASSERT_TRUE(ReadFileBytes(mapPath, bytes));
  bytes.insert(bytes.end(), 100, 9);
  Write(mapPath, bytes);
  const ToolRun run = RunTool({"map", "info", mapPath});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const QJsonObject info = run.json().object();
  EXPECT_EQ(info["size"].toInt(), 62600);
  const QJsonObject codes = info["codes"].toObject();
  EXPECT_EQ(codes.size(), 5);
  EXPECT_EQ(codes["8"].toInt(), 11);
  EXPECT_EQ(codes["0"].toInt(), 62500 - 14);
}

TEST_F(ToolTest, RenderBlockIsDrawBlockAndRenderWorldPutsEachReducedBlockInItsPlace) {
  const std::string blockFile = folder.file("block.bmp"), worldFile = folder.file("world.bmp");
  ASSERT_EQ(RunTool({"map", "render-block", mapPath, "1", "2", blockFile}).exitCode, 0);
  ASSERT_EQ(RunTool({"map", "render-world", mapPath, worldFile}).exitCode, 0);
  Surface block(kBlockPixels, kBlockPixels);
  DrawBlock(map, LoadPicture("tiles"), 1, 2, block);
  EXPECT_EQ(LoadImageFile(blockFile), block);
  const Surface world = LoadImageFile(worldFile);
  ASSERT_EQ(world.width(), 1000);
  ASSERT_EQ(world.height(), 1000);
  for (auto [bx, by] : {std::pair{1, 2}, {4, 0}}) {
    DrawBlock(map, LoadPicture("tiles"), bx, by, block);
    for (int y = 0; y < 200; y += 7)
      for (int x = 0; x < 200; x += 7)
        ASSERT_EQ(world.pixel(200 * bx + x, 200 * by + y), block.pixel(8 * x, 8 * y)) << bx << by;
  }
}

TEST_F(ToolTest, SaveShowListsTheRingAsStoredWithNullForNaN) {
  const std::string save = SaveFilePath(folder.path());
  SaveSlotData d;
  d.BlockX = 2;
  d.RestartY = 1498.5f;
  d.BlockColor[2][4] = 255;
  d.MissCount[0][1] = 1;
  ASSERT_TRUE(WriteNextSlot(save, d));
  ASSERT_TRUE(WriteNextSlot(save, d));
  // Slot 1's block column damaged and slot 0's RestartX a quiet NaN: shown as stored.
  Bytes bytes;
  ASSERT_TRUE(ReadFileBytes(save, bytes));
  bytes[static_cast<std::size_t>(RecordOffset(SlotFirstRecord(1)))] = 77;
  const auto nan = static_cast<std::size_t>(RecordOffset(SlotFirstRecord(0) + 2));
  bytes[nan] = bytes[nan + 1] = 0;
  bytes[nan + 2] = 0xC0;
  bytes[nan + 3] = 0x7F;
  Write(save, bytes);

  const ToolRun run = RunTool({"save", "show", save});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  ASSERT_FALSE(run.json().isNull()) << run.out;
  const QJsonObject doc = run.json().object();
  EXPECT_EQ(doc["SaveSlot"].toInt(), 2);
  const QJsonArray ring = doc["slots"].toArray();
  ASSERT_EQ(ring.size(), 10);
  for (int k = 0; k < 10; ++k) EXPECT_EQ(ring[k].toObject()["present"].toBool(), k < 2) << k;
  const QJsonObject first = ring[0].toObject();
  EXPECT_TRUE(first["RestartX"].isNull());
  EXPECT_EQ(first["RestartY"].toDouble(), 1498.5);
  // Outer index the block column, inner the row.
  EXPECT_EQ(first["BlockColor"].toArray()[2].toArray()[4].toInt(), 255);
  EXPECT_EQ(first["MissCount"].toArray()[0].toArray()[1].toInt(), 1);
  EXPECT_EQ(ring[1].toObject()["BlockX"].toInt(), 77);
}

TEST_F(ToolTest, AssetsExportWritesEveryEmbeddedPictureByRole) {
  const std::string dir = folder.file("export/pictures");
  ASSERT_EQ(RunTool({"assets", "export", dir}).exitCode, 0);
  for (const std::string& name : PictureNames())
    EXPECT_EQ(LoadImageFile(dir + "/" + name + ".png"), LoadPicture(name)) << name;
}

// Edits write OUT with the bytes beyond the world; IN is only read, unless it is OUT too.
struct EditCase {
  const char* name;
  std::vector<std::string> args;  // after IN OUT
  bool inPlace;
  void (*expect)(MapGrid&);
};

class ToolEditTest : public ToolTest, public ::testing::WithParamInterface<EditCase> {};

TEST_P(ToolEditTest, WritesTheEditedMapWithItsTail) {
  constexpr std::uint8_t kTailByte = 0xAB;
  map(60, 60) = kEdgeGround, map(60, 59) = kEdgeRock, map(59, 60) = kEdgeRock;  // a corner of block (1, 1)
  map(3, 3) = map(200, 249) = 3;
  Bytes bytes;
  ASSERT_TRUE(SaveMap(mapPath, map) && ReadFileBytes(mapPath, bytes));
  bytes.push_back(kTailByte);
  Write(mapPath, bytes);
  const std::string out = GetParam().inPlace ? mapPath : folder.file("out.dat");
  std::vector<std::string> args{"map", GetParam().args.front(), mapPath, out};
  args.insert(args.end(), GetParam().args.begin() + 1, GetParam().args.end());
  const ToolRun run = RunTool(args);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  MapGrid expected = map, written;
  GetParam().expect(expected);
  EXPECT_TRUE(LoadMap(out, written));
  EXPECT_EQ(written, expected);
  Bytes outBytes, inBytes;
  ASSERT_TRUE(ReadFileBytes(out, outBytes) && ReadFileBytes(mapPath, inBytes));
  EXPECT_EQ(outBytes.size(), bytes.size());
  EXPECT_EQ(outBytes.back(), kTailByte);
  if (!GetParam().inPlace) {
    EXPECT_EQ(inBytes, bytes) << "IN is only read";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Edits, ToolEditTest,
    ::testing::Values(EditCase{"Fill", {"fill", "1", "2", "5"}, false, [](MapGrid& m) { FillBlock(m, 1, 2, 5); }},
                      EditCase{"ReplaceInPlaceReadsAsTheFields", {"replace", "3", "12.5"}, true,
                               [](MapGrid& m) { ReplaceCode(m, 3, 12); }},
                      EditCase{"EdgeCorner", {"edge", "1", "1"}, false, [](MapGrid& m) { m(60, 60) = 11; }}),
    [](const ::testing::TestParamInfo<EditCase>& p) { return std::string(p.param.name); });

// A bad input: status 2, one line on the error stream naming the fault, nothing on the output.
struct BadInput {
  const char* name;
  std::vector<std::string> args;  // "@x" stands for the file x in the test's folder
  const char* mentions;
};

class ToolBadInputTest : public ToolTest, public ::testing::WithParamInterface<BadInput> {};

TEST_P(ToolBadInputTest, IsRefusedOnOneLine) {
  std::vector<std::string> args;
  for (const std::string& a : GetParam().args)
    args.push_back(a == "@map" ? mapPath
                   : a == "@"  ? folder.path()
                   : a[0] == '@' ? folder.file(a.substr(1))
                                 : a);
  const ToolRun run = RunTool(args);
  EXPECT_EQ(run.exitCode, 2) << run.err;
  EXPECT_EQ(run.errLines(), 1) << run.err;
  EXPECT_EQ(run.err.rfind("moriva-tool: ", 0), 0u) << run.err;
  EXPECT_NE(run.err.find(GetParam().mentions), std::string::npos) << run.err;
  EXPECT_TRUE(run.out.empty()) << run.out;
  EXPECT_EQ(ProbeFile(folder.file("a.bmp")), FileKind::Missing);
}

const BadInput kBadInputs[] = {
    {"EmptyMap", {"map", "info", "@empty.dat"}, "empty"},
    {"TruncatedMap", {"map", "render-block", "@truncated.dat", "0", "0", "@a.bmp"}, "62499"},
    {"TextAsMap", {"map", "render-world", "@notes.txt", "@a.bmp"}, "not a whole map"},
    {"FolderAsMap", {"map", "info", "@"}, "not a file"},
    {"AbsentMap", {"map", "info", "@absent.dat"}, "no such file"},
    {"BlockXOutOfRange", {"map", "render-block", "@map", "5", "0", "@a.bmp"}, "BX"},
    {"RenderBlockWithoutOutput", {"map", "render-block", "@map", "0", "0"}, "usage"},
    {"OutputInMissingFolder", {"map", "render-block", "@map", "0", "0", "@no/a.bmp"}, "cannot write"},
    {"ExportBelowAFile", {"assets", "export", "@one.dat/pictures"}, "cannot create"},
    {"EmptySave", {"save", "show", "@empty.dat"}, "empty"},
    {"ShortSave", {"save", "show", "@one.dat"}, "too short"},
    {"UnknownSaveCommand", {"save", "load", "@one.dat"}, "unknown save command"},
    {"FillCodeTooLarge", {"map", "fill", "@map", "@a.bmp", "0", "0", "256"}, "CODE"},
    {"ReplaceToNegative", {"map", "replace", "@map", "@a.bmp", "1", "-2"}, "TO"},
    {"UnknownMapCommand", {"map", "paint", "@map", "@a.bmp"}, "unknown map command"},
    {"UnknownCommand", {"frobnicate"}, "unknown command"},
    {"NoCommand", {}, "missing command"},
};

INSTANTIATE_TEST_SUITE_P(Tool, ToolBadInputTest, ::testing::ValuesIn(kBadInputs),
                         [](const ::testing::TestParamInfo<BadInput>& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace moriva
