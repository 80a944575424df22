#pragma once

#include <array>
#include <cstdint>

namespace moriva {

constexpr int kItemCount = 10;
constexpr int kBlockTableSize = 5;  // BlockColor and MissCount: 5 x 5 blocks, [column][row]

// What one save slot holds, in the order the slot stores it.
struct SaveSlotData {
  std::int16_t BlockX = 0;
  std::int16_t BlockY = 0;
  float RestartX = 0.0f;
  float RestartY = 0.0f;
  std::int16_t SwitchOn = 0;
  std::array<std::int16_t, kItemCount> HaveItem{};
  // Indexed [c][r]: block column c, row r.
  std::array<std::array<std::int32_t, kBlockTableSize>, kBlockTableSize> BlockColor{};
  std::array<std::array<std::int32_t, kBlockTableSize>, kBlockTableSize> MissCount{};

  bool operator==(const SaveSlotData&) const = default;
};

// Brings values read from a damaged or never-written slot into the range the game relies
// on: block indices 0..4; finite positions with the hero's 32 x 32 box inside the block
// (non-finite ones become 0 before clamping); SwitchOn and HaveItem exactly 1 stay 1 and
// everything else becomes 0, so a damaged record never grants an item; BlockColor keeps -1
// and colours 0..0xFFFFFF, anything else becomes -1 (not visited); negative miss counts
// become 0. Returns true when anything had to change.
bool CorrectSaveSlotRange(SaveSlotData& slot);

}  // namespace moriva
