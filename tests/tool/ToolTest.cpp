#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QImage>
#include <QJsonArray>
#include <QJsonObject>

#include "ToolRun.h"
#include "platform/FileStore.h"
#include "platform/Pictures.h"
#include "support/TempFolder.h"
#include "world/DrawBlock.h"
#include "world/MapFile.h"
#include "world/SaveFile.h"

namespace moriva {
namespace {

using test::RunTool;
using test::ToolRun;

void Write(const std::string& path, const Bytes& bytes) { ASSERT_TRUE(WriteFileAtomically(path, bytes)); }

Surface ReadPicture(const std::string& path) { return LoadImageFile(path); }

// A bad input: status 2, one line on the error stream, nothing on the output.
void ExpectBadInput(const ToolRun& run, const std::string& mentions) {
  EXPECT_EQ(run.exitCode, 2) << run.err;
  EXPECT_EQ(run.errLines(), 1) << run.err;
  EXPECT_EQ(run.err.rfind("moriva-tool: ", 0), 0u) << run.err;
  EXPECT_NE(run.err.find(mentions), std::string::npos) << run.err;
  EXPECT_TRUE(run.out.empty()) << run.out;
}

class ToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Codes 0, 7, 8 and 191 at known places, and one code with no picture.
    map(0, 0) = 7;
    map(1, 0) = 8;
    map(60, 120) = 191;
    map(249, 249) = 200;
    for (int y = 0; y < 10; ++y) map(100, y) = 8;
    ASSERT_TRUE(SaveMap(mapPath, map));
  }

  test::TempFolder folder;
  std::string mapPath = folder.file("mapdata.dat");
  MapGrid map;
};

TEST_F(ToolTest, HelpAndVersion) {
  const ToolRun help = RunTool({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  for (const char* command : {"map info", "map render-block", "map render-world", "save show",
                              "assets export"})
    EXPECT_NE(help.out.find(command), std::string::npos) << command;
  const ToolRun version = RunTool({"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out.rfind("moriva-tool ", 0), 0u);
}

TEST_F(ToolTest, MapInfoCountsEveryCode) {
  const ToolRun run = RunTool({"map", "info", mapPath});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const QJsonObject info = run.json().object();
  EXPECT_EQ(info["size"].toInt(), 62500);
  const QJsonObject codes = info["codes"].toObject();
  EXPECT_EQ(codes.size(), 5);
  EXPECT_EQ(codes["7"].toInt(), 1);
  EXPECT_EQ(codes["8"].toInt(), 11);
  EXPECT_EQ(codes["191"].toInt(), 1);
  EXPECT_EQ(codes["200"].toInt(), 1);
  EXPECT_EQ(codes["0"].toInt(), 62500 - 14);
}

TEST_F(ToolTest, MapInfoOnALongerFileCountsOnlyTheWorld) {
  Bytes bytes;
  ASSERT_TRUE(ReadFileBytes(mapPath, bytes));
  bytes.insert(bytes.end(), 100, 9);
  Write(mapPath, bytes);
  const ToolRun run = RunTool({"map", "info", mapPath});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.json().object()["size"].toInt(), 62600);
  EXPECT_FALSE(run.json().object()["codes"].toObject().contains("9"));
}

TEST_F(ToolTest, RenderBlockIsDrawBlockWithTheEmbeddedSheet) {
  const std::string out = folder.file("block.bmp");
  const ToolRun run = RunTool({"map", "render-block", mapPath, "1", "2", out});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  Surface expected(kBlockPixels, kBlockPixels);
  DrawBlock(map, LoadPicture("tiles"), 1, 2, expected);
  const Surface written = ReadPicture(out);
  EXPECT_EQ(written, expected);
  EXPECT_EQ(written.pixel(10 * 32 + 5, 20 * 32 + 5), LoadPicture("tiles").pixel(224 + 5, 736 + 5));
}

TEST_F(ToolTest, RenderWorldPutsEachReducedBlockInItsPlace) {
  const std::string out = folder.file("world.bmp");
  const ToolRun run = RunTool({"map", "render-world", mapPath, out});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const Surface world = ReadPicture(out);
  ASSERT_EQ(world.width(), 1000);
  ASSERT_EQ(world.height(), 1000);
  const Surface sheet = LoadPicture("tiles");
  Surface block(kBlockPixels, kBlockPixels);
  for (auto [bx, by] : {std::pair{0, 0}, {1, 2}, {2, 0}, {4, 4}}) {
    DrawBlock(map, sheet, bx, by, block);
    for (int y = 0; y < 200; y += 7)
      for (int x = 0; x < 200; x += 7)
        ASSERT_EQ(world.pixel(200 * bx + x, 200 * by + y), block.pixel(8 * x, 8 * y))
            << bx << "," << by << " at " << x << "," << y;
  }
  EXPECT_EQ(world.pixel(999, 999), 0u);  // code 200 draws black
}

TEST_F(ToolTest, BadMapFilesAreRefused) {
  const std::string empty = folder.file("empty.dat");
  Write(empty, {});
  ExpectBadInput(RunTool({"map", "info", empty}), "empty");

  const std::string truncated = folder.file("truncated.dat");
  Write(truncated, Bytes(62499, 1));
  ExpectBadInput(RunTool({"map", "render-block", truncated, "0", "0", folder.file("a.bmp")}),
                 "62499");
  EXPECT_EQ(ProbeFile(folder.file("a.bmp")), FileKind::Missing);

  const std::string text = folder.file("notes.txt");
  Write(text, Bytes{'h', 'e', 'l', 'l', 'o', '\n'});
  ExpectBadInput(RunTool({"map", "render-world", text, folder.file("w.bmp")}), "not a whole map");

  ExpectBadInput(RunTool({"map", "info", folder.path()}), "not a file");
  ExpectBadInput(RunTool({"map", "info", folder.file("absent.dat")}), "no such file");
}

TEST_F(ToolTest, BadArgumentsAndUnwritableOutputAreRefused) {
  ExpectBadInput(RunTool({"map", "render-block", mapPath, "5", "0", folder.file("a.bmp")}), "BX");
  ExpectBadInput(RunTool({"map", "render-block", mapPath, "0", "-1", folder.file("a.bmp")}), "BY");
  ExpectBadInput(RunTool({"map", "render-block", mapPath, "0", "0"}), "usage");
  ExpectBadInput(RunTool({"map", "render-block", mapPath, "0", "0", folder.file("no/dir/a.bmp")}),
                 "cannot write");
  ExpectBadInput(RunTool({"map", "render-world", mapPath, folder.path()}), "cannot write");
  ExpectBadInput(RunTool({"map", "paint"}), "unknown map command");
  ExpectBadInput(RunTool({"frobnicate"}), "unknown command");
  ExpectBadInput(RunTool({}), "missing command");

  const std::string blocker = folder.file("blocker");
  Write(blocker, Bytes{1});
  ExpectBadInput(RunTool({"assets", "export", blocker + "/pictures"}), "cannot create");
}

SaveSlotData Sample(int n) {
  SaveSlotData d;
  d.BlockX = static_cast<std::int16_t>(n);
  d.BlockY = 4;
  d.RestartX = 160.0f;
  d.RestartY = 1498.5f;
  d.SwitchOn = 1;
  d.HaveItem[4] = 1;
  for (auto& column : d.BlockColor) column.fill(-1);
  d.BlockColor[2][4] = 255;
  d.BlockColor[3][1] = 16777215;
  d.MissCount[2][4] = 3;
  d.MissCount[0][1] = 1;
  return d;
}

TEST_F(ToolTest, SaveShowListsTenSlotsAsStored) {
  const std::string save = SaveFilePath(folder.path());
  ASSERT_TRUE(WriteNextSlot(save, Sample(2)));
  ASSERT_TRUE(WriteNextSlot(save, Sample(3)));
  // Damage slot 1's block column: the tool shows it as it is, uncorrected.
  Bytes bytes;
  ASSERT_TRUE(ReadFileBytes(save, bytes));
  bytes[static_cast<std::size_t>(RecordOffset(SlotFirstRecord(1)))] = 77;
  Write(save, bytes);

  const ToolRun run = RunTool({"save", "show", save});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const QJsonObject doc = run.json().object();
  EXPECT_EQ(doc["SaveSlot"].toInt(), 2);
  const QJsonArray ring = doc["slots"].toArray();
  ASSERT_EQ(ring.size(), 10);
  for (int k = 0; k < 10; ++k) EXPECT_EQ(ring[k].toObject()["present"].toBool(), k < 2) << k;
  const QJsonObject first = ring[0].toObject();
  EXPECT_EQ(first["BlockX"].toInt(), 2);
  EXPECT_EQ(first["RestartY"].toDouble(), 1498.5);
  EXPECT_EQ(first["HaveItem"].toArray()[4].toInt(), 1);
  // Outer index the block column, inner the row.
  EXPECT_EQ(first["BlockColor"].toArray()[2].toArray()[4].toInt(), 255);
  EXPECT_EQ(first["MissCount"].toArray()[0].toArray()[1].toInt(), 1);
  EXPECT_EQ(ring[1].toObject()["BlockX"].toInt(), 77);
}

TEST_F(ToolTest, SaveShowWritesNullForNumbersJsonCannotHold) {
  const std::string save = SaveFilePath(folder.path());
  ASSERT_TRUE(WriteNextSlot(save, Sample(0)));
  Bytes bytes;
  ASSERT_TRUE(ReadFileBytes(save, bytes));
  const auto at = static_cast<std::size_t>(RecordOffset(SlotFirstRecord(0) + 2));
  bytes[at] = 0;
  bytes[at + 1] = 0;
  bytes[at + 2] = 0xC0;
  bytes[at + 3] = 0x7F;  // a quiet NaN in RestartX
  Write(save, bytes);
  const ToolRun run = RunTool({"save", "show", save});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  ASSERT_FALSE(run.json().isNull()) << run.out;
  EXPECT_TRUE(run.json().object()["slots"].toArray()[0].toObject()["RestartX"].isNull());
}

TEST_F(ToolTest, BadSaveFilesAreRefused) {
  const std::string empty = folder.file("empty.dat");
  Write(empty, {});
  ExpectBadInput(RunTool({"save", "show", empty}), "empty");
  const std::string one = folder.file("one.dat");
  Write(one, Bytes{3});
  ExpectBadInput(RunTool({"save", "show", one}), "too short");
  ExpectBadInput(RunTool({"save", "show", folder.file("absent.dat")}), "no such file");
  ExpectBadInput(RunTool({"save", "show"}), "usage");
  ExpectBadInput(RunTool({"save", "load", one}), "unknown save command");
}

TEST_F(ToolTest, AssetsExportWritesEveryEmbeddedPictureByRole) {
  const std::string dir = folder.file("export/pictures");
  const ToolRun run = RunTool({"assets", "export", dir});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  for (const std::string& name : PictureNames())
    EXPECT_EQ(ReadPicture(dir + "/" + name + ".png"), LoadPicture(name)) << name;
  EXPECT_EQ(QImage(QString::fromStdString(dir + "/tiles.png")).format(), QImage::Format_Indexed8);
  // Tiles and sprite cells side by side, 24 rows of doubled cells with a label strip each.
  const QImage sheet(QString::fromStdString(dir + "/contact-sheet.png"));
  EXPECT_GE(sheet.width(), 2 * 8 * 64);
  EXPECT_GE(sheet.height(), 24 * (64 + 14));
}

}  // namespace
}  // namespace moriva
