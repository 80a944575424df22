// Faults while the world or a game is being saved: the process killed mid-save, a full
// disk, a folder that cannot be written, a temporary file left by a kill; and save files
// that are cut short or are noise. The file on disk is always a whole old or a whole new one.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <chrono>
#include <algorithm>
#include <bit>
#include <functional>
#include <optional>
#include <random>
#include <thread>

#include "fuzz/SaveSlotRange.h"
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
constexpr rlim_t kTinyDisk = 4096;      // bytes a full disk still takes
constexpr uid_t kUnprivileged = 65534;  // "nobody": root writes anywhere otherwise
enum ChildExit { kReportedFailure = 10, kReportedSuccess, kWrongState };

// Runs `body` in a forked child, which never returns into the test framework; when `killAfter`
// is given, kills the child that long after it has begun. Returns the wait status.
int RunInChild(const std::function<int()>& body, std::optional<std::chrono::microseconds> killAfter = {}) {
  int ready[2];
  if (pipe(ready) != 0) return -1;
  const pid_t pid = fork();
  if (pid == 0) {
    (void)!write(ready[1], "", 1);
    _exit(body());
  }
  char go = 0;
  (void)!read(ready[0], &go, 1);
  close(ready[0]);
  close(ready[1]);
  if (killAfter) {
    std::this_thread::sleep_for(*killAfter);
    kill(pid, SIGKILL);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return status;
}

SaveSlotData NumberedSave(int n) {
  SaveSlotData d;
  d.BlockX = static_cast<std::int16_t>(n % kWorldBlocks);
  d.BlockY = static_cast<std::int16_t>(n / kWorldBlocks % kWorldBlocks);
  d.RestartX = static_cast<float>(n);
  d.SwitchOn = static_cast<std::int16_t>(n % 2);
  d.HaveItem[n % kItemCount] = 1;
  d.MissCount[n % kBlockTableSize][0] = n;
  return d;
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
                           MapGrid map;
                           for (int x = 0; x < kWorldTiles; ++x)
                             for (int y = 0; y < kWorldTiles; ++y) map(x, y) = static_cast<std::uint8_t>(x + y * 3 + n);
                           return SaveMap(path, map);
                         }};

class SaveFault : public ::testing::TestWithParam<SavedFile> {
 protected:
  test::TempFolder folder;
  std::string path = folder.file(GetParam().name);

  IoResult Save(const std::string& to, int n) { return GetParam().save(to, n); }
  QStringList Entries() const {
    return QDir(QString::fromStdString(folder.path())).entryList(QDir::Files | QDir::Hidden);
  }
};

TEST_P(SaveFault, KilledAtRandomMomentsLeavesTheOldOrTheNewFile) {
  ASSERT_TRUE(Save(path, 0));
  // Kill moments spread over about twice what one save takes: before, during and after it.
  const auto started = std::chrono::steady_clock::now();
  ASSERT_TRUE(Save(folder.file("timing"), 0));
  const auto saveTime = std::chrono::steady_clock::now() - started;
  std::mt19937 random(15);
  std::uniform_int_distribution<long> moment(0, 2 * std::chrono::duration_cast<std::chrono::microseconds>(saveTime).count());
  for (int n = 1; n <= kKilledSaves; ++n) {
    const QByteArray before = ReadBytes(path);
    test::TempFolder scratch;  // the file that save n makes of what is on disk now
    WriteBytes(scratch.file("next"), before);
    ASSERT_TRUE(Save(scratch.file("next"), n));
    const QByteArray after = ReadBytes(scratch.file("next"));
    RunInChild([&] { return Save(path, n).ok ? 0 : 1; }, std::chrono::microseconds(moment(random)));
    const QByteArray now = ReadBytes(path);
    ASSERT_TRUE(now == before || now == after) << "save " << n << " left " << now.size() << " bytes";
  }
}

TEST_P(SaveFault, FullDiskOrReadOnlyFolderFailsNamingTheFileAndKeepsTheOldOne) {
  ASSERT_TRUE(Save(path, 0));
  const QByteArray before = ReadBytes(path);
  ASSERT_GT(before.size(), static_cast<qsizetype>(kTinyDisk));
  const auto refusedSave = [&](const std::function<bool()>& refuse) {
    return RunInChild([&] {
      if (!refuse()) return kWrongState;
      const IoResult r = Save(path, 1);
      return r.ok ? kReportedSuccess : r.message.find(path) != std::string::npos ? kReportedFailure : kWrongState;
    });
  };
  // Past the size limit a write fails with "file too large", as it fails with "no space" on
  // a full disk, instead of the default signal.
  const int fullDisk = refusedSave([] {
    const rlimit limit{kTinyDisk, kTinyDisk};
    return signal(SIGXFSZ, SIG_IGN) != SIG_ERR && setrlimit(RLIMIT_FSIZE, &limit) == 0;
  });
  EXPECT_EQ(Entries(), QStringList{GetParam().name}) << "a temporary file was left";
  ASSERT_EQ(chmod(folder.path().c_str(), 0555), 0);
  const int readOnly = refusedSave([] {
    return geteuid() != 0 || (setgid(kUnprivileged) == 0 && setuid(kUnprivileged) == 0);
  });
  chmod(folder.path().c_str(), 0700);
  for (const int status : {fullDisk, readOnly}) {
    ASSERT_TRUE(WIFEXITED(status)) << "the save did not come back";
    EXPECT_EQ(WEXITSTATUS(status), kReportedFailure);
  }
  EXPECT_EQ(ReadBytes(path), before);
}

// Where the filesystem cannot write an unnamed temporary file, a killed save leaves a named
// one beside the file: the next save of that file removes it, and only it.
TEST_P(SaveFault, NextSaveRemovesTheTemporaryAKillLeft) {
  const QString name = QString::fromUtf8(GetParam().name);
  const QStringList kept{name + ".AbCdEf" /* too young: a save may still write it */, name + ".AbCdE",
                         name + ".AbCdEfg", name + ".AbC-Ef", "x" + name + ".AbCdEf", "other.AbCdEf"};
  for (const QString& entry : kept + QStringList{name + ".ZyXwV9"}) WriteBytes(folder.file(entry.toStdString()), "x");
  QFile stale(QString::fromStdString(folder.file(GetParam().name) + ".ZyXwV9"));
  ASSERT_TRUE(stale.open(QIODevice::ReadWrite));
  ASSERT_TRUE(stale.setFileTime(QDateTime::currentDateTime().addSecs(-120), QFileDevice::FileModificationTime));
  stale.close();
  ASSERT_TRUE(Save(path, 1));
  QStringList left = kept + QStringList{name};
  left.sort();
  EXPECT_EQ(Entries(), left);
}

std::string FileCase(const ::testing::TestParamInfo<SavedFile>& info) {
  return info.param.name == std::string(kSaveFileName) ? "savedata" : "mapdata";
}
INSTANTIATE_TEST_SUITE_P(BothFiles, SaveFault, ::testing::Values(kSaveData, kMapData), FileCase);

QByteArray RandomBytes(std::mt19937& random, qsizetype size) {
  QByteArray bytes(size, '\0');
  std::independent_bits_engine<std::mt19937, 8, std::uint32_t> byte(random());
  std::generate(bytes.begin(), bytes.end(), [&] { return static_cast<char>(byte()); });
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
  const qsizetype full = ReadBytes(path).size();
  ASSERT_EQ(full, RecordOffset(SlotLastRecord(kSlotsWritten - 1) + 1));
  QFile file(QString::fromStdString(path));
  for (qsizetype length = full; length >= 0; --length) {
    ASSERT_TRUE(file.resize(length));
    const SlotRead read = ReadSlot(path, static_cast<int>(length % kSaveSlots));
    ASSERT_EQ(read.status, SlotRead::Status::Loaded) << length;
    ASSERT_TRUE(fuzz::SaveSlotInRange(read.data)) << "cut at " << length;
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
    ASSERT_TRUE(fuzz::SaveSlotInRange(read.data)) << "random file " << n;
  }
}

}  // namespace
}  // namespace moriva
