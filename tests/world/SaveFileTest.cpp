#include "world/SaveFile.h"

#include <gtest/gtest.h>

#include <QtEndian>
#include <bit>
#include <limits>
#include <tuple>
#include <vector>

#include "support/TempFolder.h"
#include "world/FileBytes.h"

namespace moriva {
namespace {

using test::NumberedSave;
using test::ReadBytes;

// The four bytes at the start of record `record`, little-endian.
std::uint32_t At(const QByteArray& bytes, int record) { return qFromLittleEndian<std::uint32_t>(bytes.constData() + RecordOffset(record)); }

class SaveFileTest : public ::testing::Test {
 protected:
  int Save(int n) {
    int written = -1;
    EXPECT_TRUE(WriteNextSlot(path, NumberedSave(n), &written));
    return written;
  }
  test::TempFolder folder;
  std::string path = SaveFilePath(folder.path());
};

// Records 1..66, one value each with zero filler behind 16-bit ones: the header, then slot 0
// in its order, the block tables column outer, row inner, a colour before its misses.
TEST_F(SaveFileTest, FirstSaveWritesHeaderOneAndSlotZeroOneValueARecord) {
  EXPECT_EQ(Save(2), 0);
  const QByteArray bytes = ReadBytes(path);
  ASSERT_EQ(bytes.size(), RecordOffset(67));
  const SaveSlotData d = NumberedSave(2);
  std::vector<std::uint32_t> expected = {1, 2, 3, std::bit_cast<std::uint32_t>(d.RestartX), std::bit_cast<std::uint32_t>(d.RestartY), 1};
  for (const auto item : d.HaveItem) expected.push_back(static_cast<std::uint32_t>(item));
  for (int c = 0; c < kBlockTableSize; ++c)
    for (int r = 0; r < kBlockTableSize; ++r)
      expected.insert(expected.end(), {std::uint32_t(d.BlockColor[c][r]), std::uint32_t(d.MissCount[c][r])});
  std::vector<std::uint32_t> stored;
  for (int record = 1; record <= 66; ++record) stored.push_back(At(bytes, record));
  EXPECT_EQ(stored, expected);
}

TEST_F(SaveFileTest, ElevenSavesWrapTheRingBackCountsFromTheNewestAndABadHeaderCountsAsZero) {
  std::vector<int> headers;
  for (int n = 0; n < 11; ++n) {
    EXPECT_EQ(Save(n), n % 10);
    headers.push_back(static_cast<int>(At(ReadBytes(path), 1)));
  }
  EXPECT_EQ(headers, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1}));
  const QByteArray before = ReadBytes(path);
  for (const auto& [back, slot, save] : {std::tuple{0, 0, 10}, {2, 8, 8}, {9, 1, 1}}) {
    const SlotRead read = ReadSlot(path, back);
    EXPECT_EQ(std::tuple(read.slot, read.corrected), std::tuple(slot, false)) << "back " << back;
    EXPECT_EQ(read.data, NumberedSave(save)) << "back " << back;
  }
  EXPECT_EQ(ReadBytes(path), before) << "reading writes nothing, header included";
  // A header outside the ring counts as 0: a load reads slot 9, the next save slot 0.
  for (const auto& [name, header] : {std::pair{"10", "\x0a\x00"}, {"-1", "\xff\xff"}, {"32767", "\xff\x7f"}}) {
    test::WriteBytes(path, QByteArray(header, 2) + QByteArray(kRecordBytes - 2, '\0'));
    EXPECT_EQ(ReadSlot(path, 0).slot, 9) << "header " << name;
    EXPECT_EQ(Save(1), 0) << "header " << name;
    EXPECT_EQ(At(ReadBytes(path), 1), 1u) << "header " << name;
  }
}

// One value of a save the game wrote damaged a row, and what the game gets instead; the
// values at the ends of their ranges that stay are in NumberedSave, read back in the ring.
// That every value of a damaged file lands in range is the save-fault tests' part.
using Edit = void (*)(SaveSlotData&);

TEST(SaveSlotRange, DamagedValuesAreBroughtIntoRange) {
  const std::tuple<const char*, Edit, Edit> cases[] = {
      {"BlockOnePastTheLast", [](auto& d) { d.BlockY = 5; }, [](auto& d) { d.BlockY = 4; }},
      {"PositionNotANumber", [](auto& d) { d.RestartX = std::numeric_limits<float>::quiet_NaN(); }, [](auto& d) { d.RestartX = 0; }},
      {"PositionBelowTheBlock", [](auto& d) { d.RestartY = 99999.0f; }, [](auto& d) { d.RestartY = 1568.0f; }},
      {"ItemTwoGrantsNothing", [](auto& d) { d.HaveItem[0] = 2; }, [](auto& d) { d.HaveItem[0] = 0; }},
      {"ColourPastWhite", [](auto& d) { d.BlockColor[4][3] = 0x1000000; }, [](auto& d) { d.BlockColor[4][3] = -1; }},
      {"NegativeMisses", [](auto& d) { d.MissCount[3][3] = -7; }, [](auto& d) { d.MissCount[3][3] = 0; }},
  };
  for (const auto& [name, damage, repair] : cases) {
    SaveSlotData d = NumberedSave(1), expected = d;
    damage(d);
    repair(expected);
    EXPECT_TRUE(CorrectSaveSlotRange(d)) << name;
    EXPECT_TRUE(d == expected) << name;
  }
}

}  // namespace
}  // namespace moriva
