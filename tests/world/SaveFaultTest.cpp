// Faults while the world or a game is being saved: the process killed mid-save, a full
// disk, a folder that cannot be written; and save files that are cut short or are noise.
// The promise under test: the file on disk is always a whole old or a whole new one.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <chrono>
#include <cmath>
#include <cstring>
#include <functional>
#include <random>
#include <thread>

#include "support/GameFixture.h"
#include "support/TempFolder.h"
#include "world/FileBytes.h"
#include "world/MapFile.h"
#include "world/SaveFile.h"

namespace moriva {
namespace {

using test::ReadBytes;
using test::WriteBytes;

constexpr int kKilledSaves = 100;
constexpr int kRandomFiles = 1000;
constexpr int kRandomGames = 50;
constexpr rlim_t kTinyDisk = 4096;        // bytes a full disk still takes
constexpr uid_t kUnprivileged = 65534;    // "nobody": root writes anywhere otherwise
constexpr int kChildReportedFailure = 10;
constexpr int kChildReportedSuccess = 11;
constexpr int kChildWrongState = 12;

// Runs `body` in a forked child and returns its wait status. The child never returns into
// the test framework.
int RunInChild(const std::function<int()>& body) {
  const pid_t pid = fork();
  if (pid == 0) _exit(body());
  int status = 0;
  waitpid(pid, &status, 0);
  return status;
}

// Forks a child that runs `body` and kills it `delay` after the child has begun it.
void KillAfter(const std::function<void()>& body, std::chrono::microseconds delay) {
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t pid = fork();
  if (pid == 0) {
    close(ready[0]);
    const char go = 1;
    (void)!write(ready[1], &go, 1);
    body();
    _exit(0);
  }
  close(ready[1]);
  char go = 0;
  (void)!read(ready[0], &go, 1);
  close(ready[0]);
  std::this_thread::sleep_for(delay);
  kill(pid, SIGKILL);
  int status = 0;
  waitpid(pid, &status, 0);
}

SaveSlotData NumberedSave(int n) {
  SaveSlotData d;
  d.BlockX = static_cast<std::int16_t>(n % kWorldBlocks);
  d.BlockY = static_cast<std::int16_t>(n / kWorldBlocks % kWorldBlocks);
  d.RestartX = static_cast<float>(n);
  d.RestartY = 1498.0f;
  d.SwitchOn = static_cast<std::int16_t>(n % 2);
  d.HaveItem[n % kItemCount] = 1;
  d.MissCount[n % kBlockTableSize][0] = n;
  return d;
}

MapGrid NumberedWorld(int n) {
  MapGrid map;
  for (int x = 0; x < kWorldTiles; ++x)
    for (int y = 0; y < kWorldTiles; ++y) map(x, y) = static_cast<std::uint8_t>(x + y * 3 + n);
  return map;
}

// One kind of file the program saves: its name and the n-th save of it.
struct SavedFile {
  const char* name;
  std::function<IoResult(const std::string& path, int n)> save;
};

const SavedFile kSaveData{kSaveFileName, [](const std::string& path, int n) {
                            return WriteNextSlot(path, NumberedSave(n));
                          }};
const SavedFile kMapData{kMapFileName, [](const std::string& path, int n) {
                           return SaveMap(path, NumberedWorld(n));
                         }};

std::string FileCase(const ::testing::TestParamInfo<SavedFile>& info) {
  return info.param.name == std::string(kSaveFileName) ? "savedata" : "mapdata";
}

// Every name in the folder: a killed save may leave its temporary file, never a second
// copy under the real name.
QStringList FolderEntries(const std::string& folder) {
  return QDir(QString::fromStdString(folder)).entryList(QDir::Files | QDir::NoDotAndDotDot);
}

class SaveFault : public ::testing::TestWithParam<SavedFile> {
 protected:
  test::TempFolder folder;
  std::string path = folder.file(GetParam().name);

  // The file after save `n` applied to what is on disk now, made in a scratch folder.
  QByteArray ExpectedAfterSave(const QByteArray& now, int n) {
    test::TempFolder scratch;
    const std::string copy = scratch.file(GetParam().name);
    WriteBytes(copy, now);
    EXPECT_TRUE(GetParam().save(copy, n));
    return ReadBytes(copy);
  }
};

TEST_P(SaveFault, KilledAtRandomMomentsLeavesTheOldOrTheNewFile) {
  ASSERT_TRUE(GetParam().save(path, 0));
  // Kill moments spread over about twice what one save takes, so kills land before,
  // during and after the write.
  const auto started = std::chrono::steady_clock::now();
  ASSERT_TRUE(GetParam().save(folder.file("timing"), 0));
  const auto saveTime = std::chrono::duration_cast<std::chrono::microseconds>(
      std::chrono::steady_clock::now() - started);
  std::mt19937 random(15);
  std::uniform_int_distribution<long> moment(0, 2 * saveTime.count());
  int kept = 0, replaced = 0;
  for (int n = 1; n <= kKilledSaves; ++n) {
    const QByteArray before = ReadBytes(path);
    const QByteArray after = ExpectedAfterSave(before, n);
    KillAfter([&] { (void)GetParam().save(path, n); }, std::chrono::microseconds(moment(random)));
    const QByteArray now = ReadBytes(path);
    ASSERT_TRUE(now == before || now == after) << "save " << n << " left " << now.size() << " bytes";
    (now == before ? kept : replaced) += 1;
  }
  RecordProperty("kept", kept);
  RecordProperty("replaced", replaced);
  const QStringList names = FolderEntries(folder.path()).filter(GetParam().name);
  EXPECT_TRUE(names.contains(GetParam().name));
}

TEST_P(SaveFault, FullDiskFailsWithAMessageAndKeepsTheOldFile) {
  ASSERT_TRUE(GetParam().save(path, 0));
  const QByteArray before = ReadBytes(path);
  ASSERT_GT(before.size(), static_cast<qsizetype>(kTinyDisk));
  const int status = RunInChild([&] {
    // Past the limit a write fails with "file too large" instead of the default signal,
    // as it fails with "no space" on a full disk.
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{kTinyDisk, kTinyDisk};
    setrlimit(RLIMIT_FSIZE, &limit);
    const IoResult r = GetParam().save(path, 1);
    if (r.ok) return kChildReportedSuccess;
    return r.message.find(path) != std::string::npos ? kChildReportedFailure : kChildWrongState;
  });
  ASSERT_TRUE(WIFEXITED(status)) << "the save did not come back";
  EXPECT_EQ(WEXITSTATUS(status), kChildReportedFailure);
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_EQ(FolderEntries(folder.path()), QStringList{GetParam().name}) << "a temporary file was left";
}

TEST_P(SaveFault, ReadOnlyFolderFailsWithAMessageAndKeepsTheOldFile) {
  ASSERT_TRUE(GetParam().save(path, 0));
  const QByteArray before = ReadBytes(path);
  ASSERT_EQ(chmod(folder.path().c_str(), 0555), 0);
  const int status = RunInChild([&] {
    if (geteuid() == 0 && (setgid(kUnprivileged) != 0 || setuid(kUnprivileged) != 0))
      return kChildWrongState;
    const IoResult r = GetParam().save(path, 1);
    return r.ok ? kChildReportedSuccess : r.message.empty() ? kChildWrongState : kChildReportedFailure;
  });
  chmod(folder.path().c_str(), 0700);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), kChildReportedFailure);
  EXPECT_EQ(ReadBytes(path), before);
}

INSTANTIATE_TEST_SUITE_P(BothFiles, SaveFault, ::testing::Values(kSaveData, kMapData), FileCase);

// The range the game relies on after a load, whatever the file held.
void ExpectInRange(const SaveSlotData& d, const std::string& what) {
  SCOPED_TRACE(what);
  EXPECT_TRUE(d.BlockX >= 0 && d.BlockX < kWorldBlocks);
  EXPECT_TRUE(d.BlockY >= 0 && d.BlockY < kWorldBlocks);
  for (const float v : {d.RestartX, d.RestartY})
    EXPECT_TRUE(std::isfinite(v) && v >= 0 && v <= kBlockPixels - kTileSize) << v;
  EXPECT_TRUE(d.SwitchOn == 0 || d.SwitchOn == 1);
  for (const auto item : d.HaveItem) EXPECT_TRUE(item == 0 || item == 1);
  for (int c = 0; c < kBlockTableSize; ++c)
    for (int r = 0; r < kBlockTableSize; ++r) {
      EXPECT_TRUE(d.BlockColor[c][r] >= -1 && d.BlockColor[c][r] <= 0xFFFFFF);
      EXPECT_GE(d.MissCount[c][r], 0);
    }
}

QByteArray RandomBytes(std::mt19937& random, qsizetype size) {
  QByteArray bytes(size, '\0');
  for (qsizetype i = 0; i < size; i += 4) {
    const std::uint32_t word = random();
    std::memcpy(bytes.data() + i, &word, static_cast<std::size_t>(std::min<qsizetype>(4, size - i)));
  }
  return bytes;
}

TEST(DamagedSaveFile, TruncatedAtEveryLengthLoadsInRange) {
  test::TempFolder folder;
  const std::string path = SaveFilePath(folder.path());
  std::mt19937 random(1);
  // Two noisy slots behind the header, so every cut lands inside some value and the
  // header's ring decides which slot each back reads.
  constexpr int kSlotsWritten = 2;
  for (int n = 0; n < kSlotsWritten; ++n) {
    SaveSlotData d = NumberedSave(n);
    d.RestartX = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
    d.BlockColor[1][1] = static_cast<std::int32_t>(random());
    ASSERT_TRUE(WriteNextSlot(path, d));
  }
  const QByteArray full = ReadBytes(path);
  ASSERT_EQ(full.size(), RecordOffset(SlotLastRecord(kSlotsWritten - 1) + 1));
  QFile file(QString::fromStdString(path));
  for (qsizetype length = full.size(); length >= 0; --length) {
    ASSERT_TRUE(file.resize(length));
    const SlotRead read = ReadSlot(path, static_cast<int>(length % kSaveSlots));
    ASSERT_EQ(read.status, SlotRead::Status::Loaded) << length;
    ExpectInRange(read.data, "cut at " + std::to_string(length));
    if (HasFailure()) return;
  }
}

TEST(DamagedSaveFile, RandomBytesLoadInRange) {
  test::TempFolder folder;
  const std::string path = SaveFilePath(folder.path());
  std::mt19937 random(2);
  std::uniform_int_distribution<qsizetype> size(0, RecordOffset(SlotLastRecord(kSaveSlots - 1) + 2));
  for (int n = 0; n < kRandomFiles; ++n) {
    WriteBytes(path, RandomBytes(random, size(random)));
    const SlotRead read = ReadSlot(path, n % kSaveSlots);
    ASSERT_EQ(read.status, SlotRead::Status::Loaded);
    ExpectInRange(read.data, "random file " + std::to_string(n));
    if (HasFailure()) return;
  }
}

TEST(DamagedSaveFile, GameContinuesFromNoiseAndDrawsAFrame) {
  std::mt19937 random(3);
  for (int n = 0; n < kRandomGames; ++n) {
    test::GameFixture f;
    WriteBytes(SaveFilePath(f.folder().path()), RandomBytes(random, random() % 100000));
    f.host().onFrameEnded = [&](long) { f.st().StopLoop = kTrue; };
    EXPECT_EQ(f.game().lblTitle_Click(1), RunResult::Stopped);
    EXPECT_TRUE(f.mod().BlockX >= 0 && f.mod().BlockX < kWorldBlocks);
    EXPECT_TRUE(f.mod().BlockY >= 0 && f.mod().BlockY < kWorldBlocks);
    EXPECT_EQ(f.game().frame(), 1);
  }
}

}  // namespace
}  // namespace moriva
