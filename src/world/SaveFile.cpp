#include "world/SaveFile.h"

#include <bit>

#include "platform/FileStore.h"
#include "platform/ProgramFolder.h"

namespace moriva {

namespace {

// The file's bytes; reads past the end yield 0, writes past the end grow it by whole
// records of zero filler.
class RecordImage {
 public:
  explicit RecordImage(Bytes bytes) : bytes_(std::move(bytes)) {}

  std::uint32_t Get(int record, int width) const {
    const auto at = static_cast<std::size_t>(RecordOffset(record));
    std::uint32_t v = 0;
    for (int i = 0; i < width; ++i) {
      const std::size_t pos = at + static_cast<std::size_t>(i);
      if (pos < bytes_.size()) v |= static_cast<std::uint32_t>(bytes_[pos]) << (8 * i);
    }
    return v;
  }

  void Put(int record, int width, std::uint32_t v) {
    const auto end = static_cast<std::size_t>(RecordOffset(record + 1));
    if (bytes_.size() < end) bytes_.resize(end, 0);
    const auto at = static_cast<std::size_t>(RecordOffset(record));
    for (int i = 0; i < width; ++i)
      bytes_[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
  }

  std::int16_t GetI16(int record) const { return static_cast<std::int16_t>(Get(record, 2)); }
  std::int32_t GetI32(int record) const { return static_cast<std::int32_t>(Get(record, 4)); }
  float GetF32(int record) const { return std::bit_cast<float>(Get(record, 4)); }
  void PutI16(int record, std::int16_t v) { Put(record, 2, static_cast<std::uint16_t>(v)); }
  void PutI32(int record, std::int32_t v) { Put(record, 4, static_cast<std::uint32_t>(v)); }
  void PutF32(int record, float v) { Put(record, 4, std::bit_cast<std::uint32_t>(v)); }

  const Bytes& bytes() const { return bytes_; }

 private:
  Bytes bytes_;
};

constexpr int kHeaderRecord = 1;

// Record of each field within a slot starting at record b.
constexpr int kBlockXAt = 0, kBlockYAt = 1, kRestartXAt = 2, kRestartYAt = 3, kSwitchOnAt = 4;
constexpr int kHaveItemAt = 5;
constexpr int kBlockTablesAt = 15;
constexpr int ColourAt(int c, int r) { return kBlockTablesAt + 2 * (kBlockTableSize * c + r); }
constexpr int MissesAt(int c, int r) { return ColourAt(c, r) + 1; }
static_assert(MissesAt(4, 4) == kSlotValues - 1);

void WriteSlot(RecordImage& image, int slot, const SaveSlotData& d) {
  const int b = SlotFirstRecord(slot);
  image.PutI16(b + kBlockXAt, d.BlockX);
  image.PutI16(b + kBlockYAt, d.BlockY);
  image.PutF32(b + kRestartXAt, d.RestartX);
  image.PutF32(b + kRestartYAt, d.RestartY);
  image.PutI16(b + kSwitchOnAt, d.SwitchOn);
  for (int i = 0; i < kItemCount; ++i) image.PutI16(b + kHaveItemAt + i, d.HaveItem[i]);
  for (int c = 0; c < kBlockTableSize; ++c)
    for (int r = 0; r < kBlockTableSize; ++r) {
      image.PutI32(b + ColourAt(c, r), d.BlockColor[c][r]);
      image.PutI32(b + MissesAt(c, r), d.MissCount[c][r]);
    }
}

SaveSlotData ReadSlotValues(const RecordImage& image, int slot) {
  const int b = SlotFirstRecord(slot);
  SaveSlotData d;
  d.BlockX = image.GetI16(b + kBlockXAt);
  d.BlockY = image.GetI16(b + kBlockYAt);
  d.RestartX = image.GetF32(b + kRestartXAt);
  d.RestartY = image.GetF32(b + kRestartYAt);
  d.SwitchOn = image.GetI16(b + kSwitchOnAt);
  for (int i = 0; i < kItemCount; ++i) d.HaveItem[i] = image.GetI16(b + kHaveItemAt + i);
  for (int c = 0; c < kBlockTableSize; ++c)
    for (int r = 0; r < kBlockTableSize; ++r) {
      d.BlockColor[c][r] = image.GetI32(b + ColourAt(c, r));
      d.MissCount[c][r] = image.GetI32(b + MissesAt(c, r));
    }
  return d;
}

// The game never writes a header outside 0..9; a damaged one starts the ring afresh.
int HeaderSlot(const RecordImage& image) {
  const int stored = image.GetI16(kHeaderRecord);
  return stored >= 0 && stored < kSaveSlots ? stored : 0;
}

}  // namespace

std::string SaveFilePath(const std::string& folder) {
  return JoinProgramPath(folder, kSaveFileName);
}

int SlotForBack(int saveSlot, int back) {
  return ((saveSlot + kSaveSlots - 1 - back) % kSaveSlots + kSaveSlots) % kSaveSlots;
}

IoResult WriteNextSlot(const std::string& path, const SaveSlotData& data, int* writtenSlot) {
  Bytes bytes;
  if (ProbeFile(path) != FileKind::Missing) {
    if (IoResult r = ReadFileBytes(path, bytes); !r) return r;
  }
  RecordImage image(std::move(bytes));
  const int slot = HeaderSlot(image);
  WriteSlot(image, slot, data);
  image.PutI16(kHeaderRecord, static_cast<std::int16_t>((slot + 1) % kSaveSlots));
  if (IoResult r = WriteFileAtomically(path, image.bytes()); !r) return r;
  if (writtenSlot) *writtenSlot = slot;
  return IoResult::Success();
}

SlotRead ReadSlot(const std::string& path, int back) {
  SlotRead result;
  if (ProbeFile(path) == FileKind::Missing) {
    result.status = SlotRead::Status::NoFile;
    return result;
  }
  Bytes bytes;
  if (IoResult r = ReadFileBytes(path, bytes); !r) {
    result.status = SlotRead::Status::Failed;
    result.message = r.message;
    return result;
  }
  return ReadSlotFromBytes(std::move(bytes), back);
}

SlotRead ReadSlotFromBytes(Bytes bytes, int back) {
  SlotRead result;
  const RecordImage image(std::move(bytes));
  result.slot = SlotForBack(HeaderSlot(image), back);
  result.data = ReadSlotValues(image, result.slot);
  result.corrected = CorrectSaveSlotRange(result.data);
  result.status = SlotRead::Status::Loaded;
  return result;
}

IoResult ReadRawSaveFile(const std::string& path, RawSaveFile& out) {
  Bytes bytes;
  if (IoResult r = ReadFileBytes(path, bytes); !r) return r;
  out = DecodeRawSaveFile(std::move(bytes));
  return IoResult::Success();
}

RawSaveFile DecodeRawSaveFile(Bytes bytes) {
  RawSaveFile out;
  out.size = static_cast<std::int64_t>(bytes.size());
  const RecordImage image(std::move(bytes));
  out.SaveSlot = image.GetI16(kHeaderRecord);
  for (int k = 0; k < kSaveSlots; ++k) {
    out.ring[k].present = out.size >= RecordOffset(SlotLastRecord(k)) + 4;
    out.ring[k].data = ReadSlotValues(image, k);
  }
  return out;
}

}  // namespace moriva
