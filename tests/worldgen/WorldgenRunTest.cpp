#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <utility>

#include "WorldSource.h"
#include "support/TempFolder.h"

namespace moriva::worldgen {
namespace {

void WriteFile(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// A small valid source folder in `dir`: every block open air under a comment line, block
// (2, 2) with one rock at column 6, row 4.
void WriteWorld(const moriva::test::TempFolder& dir) {
  WriteFile(dir.file(kLegendFileName), "// test legend\n. 0\n# 96\nw 48\n");
  for (int by = 0; by < kWorldBlocks; ++by)
    for (int bx = 0; bx < kWorldBlocks; ++bx) {
      std::string text = "// block " + std::to_string(bx) + "," + std::to_string(by) + "\n";
      for (int j = 0; j < kBlockTiles; ++j)
        text += (bx == 2 && by == 2 && j == 4 ? "......#" + std::string(43, '.') : std::string(kBlockTiles, '.')) + "\n";
      WriteFile(dir.file(BlockFileName(bx, by)), text);
    }
}

using ProgramRun = std::pair<int, std::string>;  // the exit status and the standard error

ProgramRun RunProgram(const QString& program, const QStringList& args) {
  QProcess process;
  process.start(program, args);
  process.waitForFinished(60000);
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardError().toStdString()};
}

ProgramRun Worldgen(const QStringList& args) { return RunProgram(MORIVA_WORLDGEN, args); }

QString Q(const std::string& s) { return QString::fromStdString(s); }

// One source folder through every command: check, build, import, then broken sources.
TEST(WorldgenProgram, BuildsChecksImportsAndRefusesBadInput) {
  test::TempFolder dir;
  WriteWorld(dir);
  const auto file = [&](const std::string& name) { return Q(dir.file(name)); };
  EXPECT_EQ(Worldgen({"--check", Q(dir.path())}), ProgramRun(0, ""));
  EXPECT_FALSE(QFile::exists(file("mapdata.dat"))) << "a check writes nothing";
  EXPECT_EQ(Worldgen({Q(dir.path()), file("original.dat")}), ProgramRun(0, ""));
  std::string map = ReadFile(dir.file("original.dat"));
  ASSERT_EQ(map.size(), 62500u);
  EXPECT_EQ(map.find('\x60'), static_cast<std::size_t>((100 + 6) * 250 + 100 + 4));
  for (const auto& [args, exitCode] : {std::pair{QStringList{}, 2}, {{"--bogus", "x"}, 2}, {{"--help"}, 0}})
    EXPECT_EQ(Worldgen(args).first, exitCode) << args.join(' ').toStdString();
  WriteFile(dir.file("short.dat"), std::string(62499, '\0'));
  EXPECT_EQ(Worldgen({"--import", file("short.dat"), Q(dir.path())}), ProgramRun(1, dir.file("short.dat") + ": 62499 bytes, a map file has 62500\n"));

  map[(200 + 9) * 250 + 200 + 8] = '\x60';  // the editor painted rock into block (4,4)
  WriteFile(dir.file("edited.dat"), map + "bytes beyond the world");
  ASSERT_EQ(Worldgen({"--import", file("edited.dat"), Q(dir.path())}), ProgramRun(0, ""));
  const std::string rewritten = ReadFile(dir.file("block-4-4.txt"));
  EXPECT_EQ(std::pair(rewritten.substr(0, 13), rewritten[13 + 51 * 8 + 9]), std::pair(std::string("// block 4,4\n"), '#'));
  ASSERT_EQ(Worldgen({Q(dir.path()), file("again.dat")}), ProgramRun(0, ""));
  EXPECT_EQ(ReadFile(dir.file("again.dat")), map);

  // A code without a character is named once, at its first cell, and no block is rewritten.
  map[3 * 250 + 160] = map[4 * 250 + 160] = '\x07';
  WriteFile(dir.file("unknown.dat"), map);
  const std::string before = ReadFile(dir.file("block-0-3.txt"));
  EXPECT_EQ(Worldgen({"--import", file("unknown.dat"), Q(dir.path())}),
            ProgramRun(1, dir.file("block-0-3.txt") + ":12:4: tile code 7 has no character in the legend\n"));
  EXPECT_EQ(ReadFile(dir.file("block-0-3.txt")), before);

  // Broken sources: every fault located, nothing written over the old map.
  std::string block = ReadFile(dir.file("block-2-2.txt"));
  block[block.find('\n') + 1 + 51 * 3 + 6] = 'Z';
  WriteFile(dir.file("block-2-2.txt"), block);
  WriteFile(dir.file("block-0-4.txt"), std::string(50, '.') + "\n");
  QFile::remove(file("block-3-1.txt"));
  WriteFile(dir.file("mapdata.dat"), "the player's own world");
  const ProgramRun broken = Worldgen({Q(dir.path()), file("mapdata.dat")});
  EXPECT_EQ(broken.first, 1);
  for (const std::string& error : {dir.file("block-2-2.txt") + ":5:7: 'Z' is not in the legend",
                                   dir.file("block-0-4.txt") + ":2: only 1 rows, expected 50",
                                   dir.file("block-3-1.txt") + ": cannot read"})
    EXPECT_NE(broken.second.find(error), std::string::npos) << broken.second;
  EXPECT_EQ(ReadFile(dir.file("mapdata.dat")), "the player's own world");
  // A bad legend stops before the blocks are read.
  WriteFile(dir.file(kLegendFileName), ". 0\n. 1\n");
  EXPECT_EQ(Worldgen({"--check", Q(dir.path())}), ProgramRun(1, dir.file(kLegendFileName) + ":2:1: character '.' is already defined on line 1\n"));
}

// The build's placing step: the shipped world goes next to the program where there is no
// world yet, only the all-zero placeholder of older builds, or the world it placed last time
// (the sources changed); never over a world the editor saved.
void Place(const test::TempFolder& dir, const std::string& built) {
  WriteFile(dir.file("built.dat"), built);
  const QStringList args{Q("-DSOURCE=" + dir.file("built.dat")), Q("-DTARGET=" + dir.file("bin/mapdata.dat")),
                         Q("-DPLACED=" + dir.file("placed.dat")), "-P", MORIVA_PLACE_WORLD_SCRIPT};
  ASSERT_EQ(RunProgram(MORIVA_CMAKE, args).first, 0);
}

TEST(PlaceWorld, ReplacesOnlyWhatNobodyEdited) {
  const std::string shipped(62500, '\x60'), zeros(62500, '\0');
  std::string rebuilt = shipped, edited = shipped;
  rebuilt[7] = '\x61';
  edited[1000] = '\x05';
  // The world next to the program, the copy of the last placing, the world built, and the
  // world left next to the program.
  const std::tuple<const char*, std::string, std::string, std::string, std::string> cases[] = {
      {"NoWorldYet", "", "", shipped, shipped},
      {"EditedWorld", edited, "", shipped, edited},
      {"ZeroPlaceholder", zeros, "", shipped, shipped},
      {"LongerThanThePlaceholder", zeros + "x", "", shipped, zeros + "x"},
      {"PlacedLastTime", shipped, shipped, rebuilt, rebuilt},
      {"EditedSinceThePlacing", edited, shipped, rebuilt, edited}};
  for (const auto& [name, before, lastPlaced, built, after] : cases) {
    test::TempFolder dir;
    std::filesystem::create_directory(dir.file("bin"));
    if (!before.empty()) WriteFile(dir.file("bin/mapdata.dat"), before);
    if (!lastPlaced.empty()) WriteFile(dir.file("placed.dat"), lastPlaced);
    Place(dir, built);
    EXPECT_TRUE(ReadFile(dir.file("bin/mapdata.dat")) == after) << name;
  }
  // The shipped world left by a build that kept no copy is adopted, so the next change of
  // the sources reaches the program.
  test::TempFolder dir;
  std::filesystem::create_directory(dir.file("bin"));
  WriteFile(dir.file("bin/mapdata.dat"), shipped);
  Place(dir, shipped);
  Place(dir, rebuilt);
  EXPECT_TRUE(ReadFile(dir.file("bin/mapdata.dat")) == rebuilt);
}

}  // namespace
}  // namespace moriva::worldgen
