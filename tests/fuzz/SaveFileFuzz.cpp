// The save-file reader: whatever the file holds, every slot loads with every value in the
// range the game relies on, and reading never changes the file.

#include <cmath>

#include "FuzzSupport.h"
#include "world/MapGrid.h"
#include "world/SaveFile.h"

namespace {

bool InRange(const moriva::SaveSlotData& d) {
  using namespace moriva;
  const auto block = [](std::int16_t v) { return v >= 0 && v < kWorldBlocks; };
  const auto position = [](float v) { return std::isfinite(v) && v >= 0 && v <= kBlockPixels - kTileSize; };
  const auto flag = [](std::int16_t v) { return v == 0 || v == 1; };
  bool ok = block(d.BlockX) && block(d.BlockY) && position(d.RestartX) && position(d.RestartY) &&
            flag(d.SwitchOn);
  for (const auto item : d.HaveItem) ok = ok && flag(item);
  for (int c = 0; c < kBlockTableSize; ++c)
    for (int r = 0; r < kBlockTableSize; ++r)
      ok = ok && d.BlockColor[c][r] >= -1 && d.BlockColor[c][r] <= 0xFFFFFF && d.MissCount[c][r] >= 0;
  return ok;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace moriva;
  static const std::string path = SaveFilePath(fuzz::ScratchFolder());
  fuzz::WriteInput(path, data, size);
  for (int back = 0; back < kSaveSlots; ++back) {
    const SlotRead read = ReadSlot(path, back);
    fuzz::Require(read.status == SlotRead::Status::Loaded, "a readable file loads");
    fuzz::Require(read.slot >= 0 && read.slot < kSaveSlots, "the slot read is one of the ten");
    fuzz::Require(InRange(read.data), "every loaded value is in range");
    SaveSlotData again = read.data;
    fuzz::Require(!CorrectSaveSlotRange(again), "corrected values need no second correction");
  }
  RawSaveFile raw;
  fuzz::Require(ReadRawSaveFile(path, raw).ok, "the raw reader reads it");
  fuzz::Require(raw.size == static_cast<std::int64_t>(size), "the raw reader sees every byte");
  return 0;
}
