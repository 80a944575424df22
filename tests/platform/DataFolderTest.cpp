#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <fstream>
#include <string>

#include "platform/DataFolder.h"
#include "platform/ProgramFolder.h"
#include "support/TempFolder.h"

namespace moriva {
namespace {

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

std::string ReadText(const std::string& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

struct PlacementCase {
  const char* name;
  const char* file;
  bool programWritable;
  bool inUserFolder;
};

class DataFolderPlacement : public testing::TestWithParam<PlacementCase> {};

TEST_P(DataFolderPlacement, WrittenFilesLeaveAReadOnlyProgramFolder) {
  const PlacementCase& c = GetParam();
  test::TempFolder program, user;
  DataFolder folders(program.path(), user.path() + "/data", c.programWritable);
  const std::string expected = (c.inUserFolder ? user.path() + "/data" : program.path()) + "/" + c.file;
  EXPECT_EQ(folders.Resolve(c.file), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DataFolderPlacement,
    testing::Values(PlacementCase{"WorldWritable", "mapdata.dat", true, false},
                    PlacementCase{"WorldReadOnly", "mapdata.dat", false, true},
                    PlacementCase{"SavesReadOnly", "savedata.dat", false, true},
                    PlacementCase{"ExportReadOnly", "allmap.bmp", false, true},
                    PlacementCase{"ExportUpperCaseReadOnly", "MAP00.BMP", false, true},
                    PlacementCase{"MusicReadOnly", "qz2.mid", false, false},
                    PlacementCase{"BareSuffixReadOnly", ".dat", false, false}),
    [](const testing::TestParamInfo<PlacementCase>& param) { return std::string(param.param.name); });

TEST(DataFolder, ShippedWorldIsCopiedOnFirstUseAndCanBeSavedOver) {
  test::TempFolder program, user;
  WriteText(program.file("mapdata.dat"), "shipped");
  QFile::setPermissions(QString::fromStdString(program.file("mapdata.dat")), QFileDevice::ReadOwner);
  DataFolder folders(program.path(), user.path() + "/nested/moriva", false);

  const std::string world = folders.Resolve("mapdata.dat");
  EXPECT_EQ(ReadText(world), "shipped");
  EXPECT_TRUE(QFileInfo(QString::fromStdString(world)).permissions() & QFileDevice::WriteOwner);
  EXPECT_EQ(folders.writeFolder(), user.path() + "/nested/moriva");
}

TEST(DataFolder, AnEditedWorldInTheUserFolderIsNeverReplaced) {
  test::TempFolder program, user;
  WriteText(program.file("mapdata.dat"), "shipped");
  WriteText(user.file("mapdata.dat"), "edited");
  DataFolder folders(program.path(), user.path(), false);
  folders.Resolve("savedata.dat");  // the first written file prepares the folder
  EXPECT_EQ(ReadText(folders.Resolve("mapdata.dat")), "edited");
}

TEST(DataFolder, AWritableProgramFolderCopiesNothing) {
  test::TempFolder program, user;
  WriteText(program.file("mapdata.dat"), "shipped");
  DataFolder folders(program.path(), user.file("data"), true);
  folders.Resolve("mapdata.dat");
  folders.Resolve("savedata.dat");
  EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(user.file("data"))));
  EXPECT_EQ(folders.writeFolder(), program.path());
}

TEST(ProgramFolder, TheBuildTreeKeepsEverythingInTheProgramFolder) {
  // The test binaries lie in a writable build folder, as the program does when built.
  const std::string folder = ProgramFolder();
  EXPECT_EQ(JoinProgramPath(folder, "savedata.dat"), folder + "/savedata.dat");
  EXPECT_EQ(WriteFolder(), folder);
}

}  // namespace
}  // namespace moriva
