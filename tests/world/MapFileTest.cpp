#include "world/MapFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "support/TempFolder.h"
#include "world/FileBytes.h"

namespace moriva {
namespace {

using test::ReadBytes;
using test::WriteBytes;

// A world in which every byte tells its own offset apart from its neighbours.
QByteArray PatternWorld() {
  QByteArray bytes(kMapFileBytes, '\0');
  for (int i = 0; i < kMapFileBytes; ++i) bytes[i] = static_cast<char>((i * 7 + i / 250) & 0xFF);
  return bytes;
}

class MapFileTest : public ::testing::Test {
 protected:
  test::TempFolder folder;
  std::string path = MapFilePath(folder.path());
  MapGrid map;
};

TEST_F(MapFileTest, FileIsColumnMajorAndLoadThenSaveReproducesItByteForByte) {
  EXPECT_EQ(MapFilePath("/games/moriva"), "/games/moriva/mapdata.dat");
  const QByteArray original = PatternWorld();
  WriteBytes(path, original);
  ASSERT_TRUE(LoadMap(path, map));
  const auto byte = [&](int at) { return static_cast<std::uint8_t>(original[at]); };
  EXPECT_EQ(map(1, 0), byte(250));
  EXPECT_EQ(map(0, 1), byte(1));
  EXPECT_EQ(map(249, 249), byte(kMapFileBytes - 1));
  ASSERT_TRUE(SaveMap(path, map));
  EXPECT_EQ(ReadBytes(path), original);
}

TEST_F(MapFileTest, LongerFileKeepsItsTailAndSpareCellsStayOutOfTheFile) {
  QByteArray bytes = PatternWorld();
  bytes.append("editor notes beyond the world\n");
  WriteBytes(path, bytes);
  map(250, 3) = 1;  // left over from an earlier world: a load starts from nothing
  ASSERT_TRUE(LoadMap(path, map));
  EXPECT_EQ(map(250, 3), 0);
  map(250, 0) = 0x11;
  map(0, 250) = 0x22;
  map(0, 0) = 42;
  ASSERT_TRUE(SaveMap(path, map));
  bytes[0] = 42;
  EXPECT_EQ(ReadBytes(path), bytes);
}

TEST_F(MapFileTest, ShortFileReadsZerosBeyondItsEndAndSavesWhole) {
  WriteBytes(path, QByteArray(251, '\x05'));  // column 0 and the first cell of column 1
  map(100, 100) = 9;
  ASSERT_TRUE(LoadMap(path, map));
  EXPECT_EQ(map(1, 0), 5);
  EXPECT_EQ(map(1, 1), 0);
  EXPECT_EQ(map(100, 100), 0);
  ASSERT_TRUE(SaveMap(path, map));
  EXPECT_EQ(ReadBytes(path).size(), kMapFileBytes);
}

TEST_F(MapFileTest, MissingFileIsCreatedEmptyAndAFolderFailsNamingIt) {
  map(3, 3) = 1;
  ASSERT_TRUE(LoadMap(path, map));
  EXPECT_TRUE(QFile::exists(QString::fromStdString(path)));
  EXPECT_EQ(ReadBytes(path).size(), 0);
  EXPECT_EQ(map, MapGrid());
  const std::string asFolder = folder.file("mapdata-folder");
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(asFolder)));
  const IoResult r = LoadMap(asFolder, map);
  EXPECT_FALSE(r);
  EXPECT_NE(r.message.find(asFolder), std::string::npos) << r.message;
}

TEST_F(MapFileTest, ProgressTextsEveryTenthColumnOnLoadAndSave) {
  std::vector<std::string> expected, loaded, saved;
  for (int x = 0; x <= 240; x += 10) expected.push_back(std::to_string(x) + "/240)");
  ASSERT_TRUE(LoadMap(path, map, [&](const std::string& t) { loaded.push_back(t); }));
  ASSERT_TRUE(SaveMap(path, map, [&](const std::string& t) { saved.push_back(t); }));
  EXPECT_EQ(loaded, expected);
  EXPECT_EQ(saved, expected);
}

}  // namespace
}  // namespace moriva
