// The files the program reads and writes: where they lie, the settings, the embedded pictures.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <algorithm>
#include <fstream>

#include "platform/DataFolder.h"
#include "platform/Pictures.h"
#include "platform/Preferences.h"
#include "support/TempFolder.h"

namespace moriva {
namespace {

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

std::string ReadText(const std::string& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(DataFolder, WrittenFilesLeaveAReadOnlyProgramFolder) {
  const std::tuple<const char*, bool, bool> cases[] = {  // the file, program folder writable, in the user's folder
      {"mapdata.dat", true, false},
      {"mapdata.dat", false, true},
      {"savedata.dat", false, true},
      {"allmap.bmp", false, true},
      {"MAP00.BMP", false, true},
      {"qz2.mid", false, false},
      {".dat", false, false}};
  for (const auto& [file, programWritable, inUserFolder] : cases) {
    test::TempFolder program, user;
    DataFolder folders(program.path(), user.path() + "/data", programWritable);
    EXPECT_EQ(folders.Resolve(file), (inUserFolder ? user.path() + "/data" : program.path()) + "/" + file)
        << file << (programWritable ? ", writable" : ", read-only");
  }
}

// The shipped world is copied to the user's folder only when the program's folder is read-only,
// once, and the copy can be saved over.
TEST(DataFolder, ShippedWorldIsCopiedOnceWhenTheProgramFolderIsReadOnly) {
  test::TempFolder program, user;
  WriteText(program.file("mapdata.dat"), "shipped");
  QFile::setPermissions(QString::fromStdString(program.file("mapdata.dat")), QFileDevice::ReadOwner);
  DataFolder writable(program.path(), user.file("data"), true);
  writable.Resolve("savedata.dat");
  EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(user.file("data"))));
  EXPECT_EQ(writable.writeFolder(), program.path());

  DataFolder folders(program.path(), user.file("data/moriva"), false);
  const std::string world = folders.Resolve("mapdata.dat");
  EXPECT_EQ(ReadText(world), "shipped");
  EXPECT_TRUE(QFileInfo(QString::fromStdString(world)).permissions() & QFileDevice::WriteOwner);
  EXPECT_EQ(folders.writeFolder(), user.file("data/moriva"));
  WriteText(world, "edited");
  DataFolder again(program.path(), user.file("data/moriva"), false);
  again.Resolve("savedata.dat");  // the first written file prepares the folder
  EXPECT_EQ(ReadText(again.Resolve("mapdata.dat")), "edited");
}

auto Fields(const Preferences& p) { return std::tuple(p.musicOn, p.effectsOn, p.scale); }

TEST(Preferences, DefaultsAndWhatWasSavedComeBackAndOnlyAWholeStoredScaleInRangeIsTaken) {
  test::TempFolder folder;
  const QString file = QString::fromStdString(folder.file("moriva.conf"));
  QSettings settings(file, QSettings::IniFormat);
  EXPECT_EQ(Fields(Preferences::Load(settings)), std::tuple(true, true, Preferences::kChooseScale));
  Preferences{.musicOn = false, .scale = 3}.Save(settings);
  EXPECT_EQ(Fields(Preferences::Load(QSettings(file, QSettings::IniFormat))), std::tuple(false, true, 3));

  constexpr int kFit = Preferences::kChooseScale;  // a hand-edited or damaged scale: fit the screen
  const std::pair<const char*, int> cases[] = {{"1", 1}, {"4", 4}, {"0", kFit}, {"-2", kFit}, {"500", kFit}, {"big", kFit}};
  for (const auto& [stored, loaded] : cases) {
    settings.setValue("window/scale", stored);
    EXPECT_EQ(Preferences::Load(settings).scale, loaded) << stored;
  }
}

TEST(Pictures, PixelsCarryNoAlphaNamesAreSortedAndAbsentPicturesAreEmpty) {
  // Raster operations see colour only.
  EXPECT_EQ((LoadDebugTileSheet().pixel(16, 4) | LoadPicture("tiles").pixel(16, 4)) & 0xFF000000u, 0u);
  EXPECT_TRUE(std::ranges::is_sorted(PictureNames()));
  EXPECT_TRUE(LoadPicture("no-such-picture").empty() && LoadImageFile("/no/such/file.png").empty());
}

// The start-up's worker: what it decoded equals what decoding here gives, and so does a
// second load of the same name.
TEST(Pictures, TheWorkerHandsOutEachPictureAsDecodedHere) {
  const Surface tiles = LoadPicture("tiles"), title = LoadPicture("title");
  StartDecodingPictures({"tiles", "title"});
  EXPECT_EQ(LoadPicture("title"), title);
  EXPECT_EQ(std::pair(LoadPicture("tiles"), LoadPicture("tiles")), std::pair(tiles, tiles));
}

}  // namespace
}  // namespace moriva
