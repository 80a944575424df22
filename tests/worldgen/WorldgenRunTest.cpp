#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <filesystem>
#include <utility>
#include <vector>

#include "WorldgenFiles.h"

namespace moriva::worldgen {
namespace {

struct ProgramRun {
  int exitCode = -1;
  std::string err;
};

ProgramRun RunProgram(const QString& program, const QStringList& args) {
  QProcess process;
  process.start(program, args);
  process.waitForFinished(60000);
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          process.readAllStandardError().toStdString()};
}

ProgramRun Worldgen(const QStringList& args) { return RunProgram(MORIVA_WORLDGEN, args); }

QString Q(const std::string& s) { return QString::fromStdString(s); }

// One source folder through every command: build, check, import, then broken sources.
TEST(WorldgenProgram, BuildsChecksImportsAndRefusesBadInput) {
  test::TempFolder dir;
  WriteWorld(dir);
  EXPECT_EQ(Worldgen({"--check", Q(dir.path())}).exitCode, 0);
  EXPECT_FALSE(QFile::exists(Q(dir.file("mapdata.dat")))) << "a check writes nothing";
  const ProgramRun built = Worldgen({Q(dir.path()), Q(dir.file("mapdata.dat"))});
  EXPECT_EQ(built.exitCode, 0) << built.err;
  EXPECT_EQ(built.err, "");
  const std::string bytes = ReadFile(dir.file("mapdata.dat"));
  ASSERT_EQ(bytes.size(), 62500u);
  EXPECT_EQ(bytes.find('\x60'), static_cast<std::size_t>((100 + 6) * 250 + 100 + 4));

  const ProgramRun missing = Worldgen({Q(dir.file("nowhere")), Q(dir.file("out.dat"))});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("legend.txt: cannot read"), std::string::npos) << missing.err;
  EXPECT_FALSE(QFile::exists(Q(dir.file("out.dat"))));
  EXPECT_EQ(Worldgen({}).exitCode, 2);
  EXPECT_EQ(Worldgen({"--bogus", "x"}).exitCode, 2);
  EXPECT_EQ(Worldgen({"--help"}).exitCode, 0);

  ASSERT_EQ(Worldgen({Q(dir.path()), Q(dir.file("original.dat"))}).exitCode, 0);
  std::string map = ReadFile(dir.file("original.dat"));
  map[(200 + 9) * 250 + 200 + 8] = '\x60';  // the editor painted rock into block (4,4)
  WriteFile(dir.file("edited.dat"), map + "bytes beyond the world");
  const ProgramRun imported = Worldgen({"--import", Q(dir.file("edited.dat")), Q(dir.path())});
  ASSERT_EQ(imported.exitCode, 0) << imported.err;
  const std::string rewritten = ReadFile(dir.file("block-4-4.txt"));
  EXPECT_EQ(rewritten.rfind("// block 4,4\n", 0), 0u);
  EXPECT_EQ(rewritten[13 + 51 * 8 + 9], '#');
  ASSERT_EQ(Worldgen({Q(dir.path()), Q(dir.file("again.dat"))}).exitCode, 0);
  EXPECT_EQ(ReadFile(dir.file("again.dat")), map);

  map[3 * 250 + 160] = '\x07';
  map[4 * 250 + 160] = '\x07';  // a code without a character is named once, at its first cell
  WriteFile(dir.file("unknown.dat"), map);
  const std::string before = ReadFile(dir.file("block-0-3.txt"));
  const ProgramRun refused = Worldgen({"--import", Q(dir.file("unknown.dat")), Q(dir.path())});
  EXPECT_EQ(refused.exitCode, 1);
  const std::string named = "block-0-3.txt:12:4: tile code 7 has no character in the legend";
  EXPECT_NE(refused.err.find(named), std::string::npos) << refused.err;
  const std::size_t after = refused.err.find(named) + named.size();
  EXPECT_EQ(refused.err.find("tile code 7", after), std::string::npos) << refused.err;
  EXPECT_EQ(ReadFile(dir.file("block-0-3.txt")), before);
  WriteFile(dir.file("short.dat"), "tiny");
  EXPECT_EQ(Worldgen({"--import", Q(dir.file("short.dat")), Q(dir.path())}).exitCode, 1);

  // Broken sources: every fault located, nothing written over the old map.
  std::string block = ReadFile(dir.file("block-2-2.txt"));
  block[block.find('\n') + 1 + 51 * 3 + 6] = 'Z';
  WriteFile(dir.file("block-2-2.txt"), block);
  WriteFile(dir.file("block-0-4.txt"), std::string(50, '.') + "\n");
  QFile::remove(Q(dir.file("block-3-1.txt")));
  WriteFile(dir.file("mapdata.dat"), "the player's own world");

  const ProgramRun broken = Worldgen({Q(dir.path()), Q(dir.file("mapdata.dat"))});
  EXPECT_EQ(broken.exitCode, 1);
  for (const std::string& error : {dir.file("block-2-2.txt") + ":5:7: 'Z' is not in the legend",
                                   dir.file("block-0-4.txt") + ":2: only 1 rows, expected 50",
                                   dir.file("block-3-1.txt") + ": cannot read"}) {
    EXPECT_NE(broken.err.find(error), std::string::npos) << broken.err;
  }
  EXPECT_EQ(ReadFile(dir.file("mapdata.dat")), "the player's own world");
  EXPECT_EQ(Worldgen({"--check", Q(dir.path())}).exitCode, 1);
}

// The build's placing step: the shipped world goes next to the program where there is no
// world yet, only the all-zero placeholder of older builds, or the world it placed last time
// (the sources changed); never over a world the editor saved.
ProgramRun Place(const std::string& source, const std::string& target, const std::string& placed) {
  return RunProgram(MORIVA_CMAKE, {Q("-DSOURCE=" + source), Q("-DTARGET=" + target),
                                   Q("-DPLACED=" + placed), "-P", MORIVA_PLACE_WORLD_SCRIPT});
}

TEST(PlaceWorld, ReplacesOnlyWhatNobodyEdited) {
  const std::string shipped(62500, '\x60');
  std::string rebuilt = shipped;
  rebuilt[7] = '\x61';
  std::string edited = shipped;
  edited[1000] = '\x05';
  const std::string zeros(62500, '\0');
  struct Case {
    std::string before, lastPlaced, built, after;
  };
  const std::vector<Case> cases = {{"", "", shipped, shipped},
                                   {edited, "", shipped, edited},
                                   {zeros, "", shipped, shipped},
                                   {zeros + "x", "", shipped, zeros + "x"},
                                   {shipped, shipped, rebuilt, rebuilt},
                                   {edited, shipped, rebuilt, edited}};
  for (const Case& c : cases) {
    test::TempFolder dir;
    WriteFile(dir.file("built.dat"), c.built);
    std::filesystem::create_directory(dir.file("bin"));
    if (!c.before.empty()) WriteFile(dir.file("bin/mapdata.dat"), c.before);
    if (!c.lastPlaced.empty()) WriteFile(dir.file("placed.dat"), c.lastPlaced);
    ASSERT_EQ(Place(dir.file("built.dat"), dir.file("bin/mapdata.dat"), dir.file("placed.dat")).exitCode, 0);
    EXPECT_TRUE(ReadFile(dir.file("bin/mapdata.dat")) == c.after)
        << "case " << &c - cases.data() << ": a world of " << c.before.size() << " bytes, "
        << (c.lastPlaced.empty() ? "nothing" : "a world") << " placed before";
  }
  // The shipped world left by a build that kept no copy is adopted, so the next change of
  // the sources reaches the program.
  test::TempFolder dir;
  std::filesystem::create_directory(dir.file("bin"));
  WriteFile(dir.file("bin/mapdata.dat"), shipped);
  for (const std::string& built : {shipped, rebuilt}) {
    WriteFile(dir.file("built.dat"), built);
    ASSERT_EQ(Place(dir.file("built.dat"), dir.file("bin/mapdata.dat"), dir.file("placed.dat")).exitCode, 0);
  }
  EXPECT_TRUE(ReadFile(dir.file("bin/mapdata.dat")) == rebuilt);
}

}  // namespace
}  // namespace moriva::worldgen
