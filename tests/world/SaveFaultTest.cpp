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
#include <bit>
#include <chrono>
#include <functional>
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

constexpr rlim_t kTinyDisk = 4096;      // bytes a full disk still takes
constexpr uid_t kUnprivileged = 65534;  // "nobody": root writes anywhere otherwise
enum ChildExit { kReportedFailure = 10, kReportedSuccess, kWrongState };

// Runs `body` in a forked child, which never returns into the test framework; when
// `killAfterMicros` is given, kills the child that long after it has begun. Returns the wait status.
int RunInChild(const std::function<int()>& body, long killAfterMicros = -1) {
  int ready[2];
  if (pipe(ready) != 0) return -1;
  const pid_t pid = fork();
  if (pid == 0) _exit(write(ready[1], "", 1) == 1 ? body() : kWrongState);
  char go = 0;
  (void)!read(ready[0], &go, 1);
  close(ready[0]);
  close(ready[1]);
  if (killAfterMicros >= 0) {
    std::this_thread::sleep_for(std::chrono::microseconds(killAfterMicros));
    kill(pid, SIGKILL);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return status;
}

// One kind of file the program saves: its name and the n-th save of it.
struct SavedFile {
  const char* name;
  IoResult (*save)(const std::string& path, int n);
};
const SavedFile kSaveData{kSaveFileName, [](const std::string& path, int n) { return WriteNextSlot(path, test::NumberedSave(n)); }};
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
  QStringList Entries() const { return QDir(QString::fromStdString(folder.path())).entryList(QDir::Files | QDir::Hidden); }
};

TEST_P(SaveFault, KilledAtRandomMomentsLeavesTheOldOrTheNewFile) {
  // Kill moments spread over about twice what one save takes: before, during and after it.
  const auto started = std::chrono::steady_clock::now();
  ASSERT_TRUE(Save(path, 0));
  const auto saveTime = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - started);
  std::mt19937 random(15);
  std::uniform_int_distribution<long> moment(0, 2 * saveTime.count());
  const std::string next = folder.file("next");  // what save n makes of the file on disk now
  for (int n = 1; n <= 100; ++n) {
    const QByteArray before = ReadBytes(path);
    test::WriteBytes(next, before);
    ASSERT_TRUE(Save(next, n));
    RunInChild([&] { return Save(path, n).ok ? 0 : 1; }, moment(random));
    const QByteArray now = ReadBytes(path);
    ASSERT_TRUE(now == before || now == ReadBytes(next)) << "save " << n << " left " << now.size() << " bytes";
  }
}

// Past the size limit a write fails with "file too large", as it fails with "no space" on a
// full disk, instead of the default signal. Root writes anywhere: a read-only folder is
// tried as "nobody".
TEST_P(SaveFault, FullDiskOrReadOnlyFolderFailsNamingTheFileAndKeepsTheOldOne) {
  ASSERT_TRUE(Save(path, 0));
  const QByteArray before = ReadBytes(path);
  ASSERT_GT(before.size(), static_cast<qsizetype>(kTinyDisk));
  for (const bool fullDisk : {true, false}) {
    ASSERT_EQ(chmod(folder.path().c_str(), fullDisk ? 0700 : 0555), 0);
    const int status = RunInChild([&] {
      const rlimit limit{kTinyDisk, kTinyDisk};
      if (fullDisk ? signal(SIGXFSZ, SIG_IGN) == SIG_ERR || setrlimit(RLIMIT_FSIZE, &limit) != 0
                   : geteuid() == 0 && (setgid(kUnprivileged) != 0 || setuid(kUnprivileged) != 0))
        return kWrongState;
      const IoResult r = Save(path, 1);
      return r.ok ? kReportedSuccess : r.message.find(path) != std::string::npos ? kReportedFailure : kWrongState;
    });
    chmod(folder.path().c_str(), 0700);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == kReportedFailure) << (fullDisk ? "full disk" : "read-only folder") << ", status " << status;
    EXPECT_EQ(Entries(), QStringList{GetParam().name}) << "a temporary file was left";
    EXPECT_EQ(ReadBytes(path), before);
  }
}

// Where the filesystem cannot write an unnamed temporary file, a killed save leaves a named
// one beside the file: the next save of that file removes it, and only it.
TEST_P(SaveFault, NextSaveRemovesTheTemporaryAKillLeft) {
  const QString name = QString::fromUtf8(GetParam().name);
  const QStringList kept{name + ".AbCdEf" /* too young: a save may still write it */, name + ".AbCdE",
                         name + ".AbCdEfg", name + ".AbC-Ef", "x" + name + ".AbCdEf", "other.AbCdEf"};
  for (const QString& entry : kept) test::WriteBytes(folder.file(entry.toStdString()), "x");
  QFile stale(QString::fromStdString(path) + ".ZyXwV9");
  ASSERT_TRUE(stale.open(QIODevice::WriteOnly) && stale.setFileTime(QDateTime::currentDateTime().addSecs(-120), QFileDevice::FileModificationTime));
  stale.close();
  ASSERT_TRUE(Save(path, 1));
  QStringList left = kept + QStringList{name};
  left.sort();
  EXPECT_EQ(Entries(), left);
}

INSTANTIATE_TEST_SUITE_P(BothFiles, SaveFault, ::testing::Values(kSaveData, kMapData),
                         [](const auto& p) { return QString(p.param.name).section('.', 0, 0).toStdString(); });

// Two noisy slots behind the header, cut at every length so that every cut lands inside some
// value and the header's ring decides which slot each back reads; then files of noise.
TEST(DamagedSaveFile, CutAtEveryLengthOrNoiseLoadsInRange) {
  test::TempFolder folder;
  const std::string path = SaveFilePath(folder.path());
  const auto loadsInRange = [&](int back) {
    const SlotRead read = ReadSlot(path, back);
    return read.status == SlotRead::Status::Loaded && fuzz::SaveSlotInRange(read.data);
  };
  std::mt19937 random(1);
  for (int n = 0; n < 2; ++n) {
    SaveSlotData d = test::NumberedSave(n);
    d.RestartX = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
    d.BlockColor[1][1] = static_cast<std::int32_t>(random());
    ASSERT_TRUE(WriteNextSlot(path, d));
  }
  QFile file(QString::fromStdString(path));
  ASSERT_EQ(file.size(), RecordOffset(SlotLastRecord(1) + 1));
  for (qsizetype length = file.size(); length >= 0; --length)
    ASSERT_TRUE(file.resize(length) && loadsInRange(static_cast<int>(length % kSaveSlots))) << "cut at " << length;
  std::uniform_int_distribution<qsizetype> size(0, RecordOffset(SlotLastRecord(kSaveSlots - 1) + 2));
  for (int n = 0; n < 1000; ++n) {
    QByteArray bytes(size(random), '\0');
    for (char& b : bytes) b = static_cast<char>(random());
    test::WriteBytes(path, bytes);
    ASSERT_TRUE(loadsInRange(n % kSaveSlots)) << "random file " << n;
  }
}

}  // namespace
}  // namespace moriva
