// The save-file reader, on the file's bytes in memory: whatever the file holds, every slot
// loads with every value in the range the game relies on.

#include "FuzzSupport.h"
#include "SaveSlotRange.h"
#include "world/SaveFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace moriva;
  const Bytes bytes(data, data + size);
  for (int back = 0; back < kSaveSlots; ++back) {
    SlotRead read = ReadSlotFromBytes(bytes, back);
    fuzz::Require(read.slot >= 0 && read.slot < kSaveSlots, "the slot read is one of the ten");
    fuzz::Require(fuzz::SaveSlotInRange(read.data), "every loaded value is in range");
    fuzz::Require(!CorrectSaveSlotRange(read.data), "corrected values need no second correction");
  }
  fuzz::Require(DecodeRawSaveFile(bytes).size == static_cast<std::int64_t>(size), "the raw reader sees every byte");
  return 0;
}
