#include "world/SaveFile.h"

#include <gtest/gtest.h>

#include <bit>
#include <tuple>

#include "support/TempFolder.h"
#include "world/FileBytes.h"

namespace moriva {
namespace {

using test::ReadBytes;
using test::WriteBytes;

// The little-endian value of `width` bytes at the start of record `record`.
std::uint32_t At(const QByteArray& bytes, int record, int width = 4) {
  std::uint32_t v = 0;
  for (int i = 0; i < width; ++i)
    v |= std::uint32_t(static_cast<unsigned char>(bytes[static_cast<qsizetype>(RecordOffset(record) + i)])) << (8 * i);
  return v;
}
std::int16_t Header(const QByteArray& bytes) { return static_cast<std::int16_t>(At(bytes, 1, 2)); }

// A save whose values tell the save apart: `n` goes into the first block index and the
// miss count of block (4, 4).
SaveSlotData Numbered(int n) {
  SaveSlotData d;
  d.BlockX = static_cast<std::int16_t>(n % 5);
  d.BlockY = 3;
  d.RestartX = 160.0f;
  d.RestartY = 1498.0f;
  d.SwitchOn = 1;
  d.HaveItem = {1, 0, 1, 0, 1, 0, 0, 1, 0, 1};
  for (int c = 0; c < 5; ++c)
    for (int r = 0; r < 5; ++r) {
      d.BlockColor[c][r] = (c + r) % 2 ? -1 : 0xFFFFFF;
      d.MissCount[c][r] = 10 * c + r;
    }
  d.BlockColor[2][3] = 255;
  d.MissCount[4][4] = 1000 + n;
  return d;
}

class SaveFileTest : public ::testing::Test {
 protected:
  void Save(const SaveSlotData& d, int expectSlot) {
    int written = -1;
    ASSERT_TRUE(WriteNextSlot(path, d, &written));
    EXPECT_EQ(written, expectSlot);
  }
  test::TempFolder folder;
  std::string path = SaveFilePath(folder.path());
};

TEST_F(SaveFileTest, FirstSaveGivesHeaderOneAndFillsSlotZeroInTableOrder) {
  const SaveSlotData d = Numbered(2);
  Save(d, 0);
  const QByteArray bytes = ReadBytes(path);
  EXPECT_EQ(Header(bytes), 1);
  ASSERT_EQ(bytes.size(), RecordOffset(67)) << "records 2..66, each a whole record";
  EXPECT_EQ(At(bytes, 2, 2), 2u);
  EXPECT_EQ(At(bytes, 3, 2), 3u);
  EXPECT_EQ(std::bit_cast<float>(At(bytes, 4)), 160.0f);
  EXPECT_EQ(std::bit_cast<float>(At(bytes, 5)), 1498.0f);
  EXPECT_EQ(At(bytes, 6, 2), 1u);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(At(bytes, 7 + i, 2), std::uint32_t(d.HaveItem[i])) << "item " << i;
  // Colour (0,0), misses (0,0), colour (0,1), ... misses (4,4): column outer, row inner.
  int n = 17;
  for (int c = 0; c < 5; ++c)
    for (int r = 0; r < 5; ++r) {
      EXPECT_EQ(static_cast<std::int32_t>(At(bytes, n++)), d.BlockColor[c][r]);
      EXPECT_EQ(static_cast<std::int32_t>(At(bytes, n++)), d.MissCount[c][r]);
    }
  EXPECT_EQ(static_cast<std::int32_t>(At(bytes, 66)), 1002);
  EXPECT_EQ(At(bytes, 2) >> 16, 0u) << "filler is zero";
}

TEST_F(SaveFileTest, ElevenSavesWrapTheRingAndBackCountsFromTheNewestWithoutWriting) {
  std::vector<int> headers;
  for (int n = 0; n < 11; ++n) {
    Save(Numbered(n), n % 10);
    headers.push_back(Header(ReadBytes(path)));
  }
  EXPECT_EQ(headers, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1}));
  const QByteArray before = ReadBytes(path);
  EXPECT_EQ(before.size(), RecordOffset(SlotLastRecord(9) + 1));
  const SlotRead newest = ReadSlot(path, 0);
  EXPECT_EQ(newest.slot, 0);
  EXPECT_EQ(newest.data, Numbered(10));
  EXPECT_FALSE(newest.corrected);
  EXPECT_EQ(ReadSlot(path, 2).slot, 8);
  EXPECT_EQ(ReadSlot(path, 9).data, Numbered(1));
  for (const auto& [saveSlot, back, slot] : {std::tuple{3, 3, 9}, {0, 0, 9}, {1, 9, 1}})
    EXPECT_EQ(SlotForBack(saveSlot, back), slot) << saveSlot << " back " << back;
  EXPECT_EQ(ReadBytes(path), before) << "reading writes nothing, header included";
}

TEST_F(SaveFileTest, HeaderOutsideTheRingCountsAsZero) {
  for (std::int16_t bad : {std::int16_t{10}, std::int16_t{-1}, std::int16_t{32767}}) {
    QByteArray bytes(kRecordBytes, '\0');
    bytes[0] = static_cast<char>(bad & 0xFF);
    bytes[1] = static_cast<char>((bad >> 8) & 0xFF);
    WriteBytes(path, bytes);
    EXPECT_EQ(ReadSlot(path, 0).slot, 9) << bad;
    Save(Numbered(1), 0);
    EXPECT_EQ(Header(ReadBytes(path)), 1);
  }
}

// Damaged files at every length are the save-fault tests' part; values as stored the tool's.
TEST_F(SaveFileTest, MissingSlotReadsZeroAsMissingAndAnOutOfRangeValueIsCorrected) {
  Save(Numbered(0), 0);
  SlotRead r = ReadSlot(path, 1);  // slot 9, beyond the end of the file
  EXPECT_EQ(r.slot, 9);
  EXPECT_EQ(r.data, SaveSlotData{});
  EXPECT_FALSE(r.corrected);
  QByteArray bytes = ReadBytes(path);
  bytes[static_cast<qsizetype>(RecordOffset(SlotFirstRecord(0)))] = 9;  // BlockX 9
  bytes.truncate(RecordOffset(SlotLastRecord(0)) + 3);                   // last value cut short
  WriteBytes(path, bytes);
  r = ReadSlot(path, 0);
  ASSERT_EQ(r.status, SlotRead::Status::Loaded);
  EXPECT_TRUE(r.corrected);
  EXPECT_EQ(r.data.BlockX, 4);
  RawSaveFile raw;
  ASSERT_TRUE(ReadRawSaveFile(path, raw));
  EXPECT_FALSE(raw.ring[0].present);
  EXPECT_EQ(raw.ring[0].data.BlockX, 9);
  EXPECT_FALSE(ReadRawSaveFile(folder.file("absent.dat"), raw));
}

}  // namespace
}  // namespace moriva
