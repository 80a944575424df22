#include "world/SaveSlotData.h"

#include <algorithm>
#include <cmath>

#include "world/MapGrid.h"

namespace moriva {

namespace {

constexpr std::int32_t kNotVisited = -1;
constexpr std::int32_t kWhite = 0xFFFFFF;
// The hero's 32 x 32 box stays inside the block surface.
constexpr float kMaxPosition = static_cast<float>(kBlockPixels - kTileSize);

template <typename T>
bool Set(T& field, T value) {
  if (field == value) return false;
  field = value;
  return true;
}

bool CorrectBlockIndex(std::int16_t& v) {
  return Set(v, static_cast<std::int16_t>(std::clamp<int>(v, 0, kWorldBlocks - 1)));
}

bool CorrectPosition(float& v) {
  if (std::isfinite(v) && v >= 0.0f && v <= kMaxPosition) return false;
  v = std::isfinite(v) ? std::clamp(v, 0.0f, kMaxPosition) : 0.0f;
  return true;
}

bool CorrectFlag(std::int16_t& v) { return Set(v, static_cast<std::int16_t>(v == 1 ? 1 : 0)); }

}  // namespace

bool CorrectSaveSlotRange(SaveSlotData& slot) {
  bool changed = false;
  changed |= CorrectBlockIndex(slot.BlockX);
  changed |= CorrectBlockIndex(slot.BlockY);
  changed |= CorrectPosition(slot.RestartX);
  changed |= CorrectPosition(slot.RestartY);
  changed |= CorrectFlag(slot.SwitchOn);
  for (auto& item : slot.HaveItem) changed |= CorrectFlag(item);
  for (auto& column : slot.BlockColor)
    for (auto& colour : column)
      if (colour < kNotVisited || colour > kWhite) changed |= Set(colour, kNotVisited);
  for (auto& column : slot.MissCount)
    for (auto& misses : column) changed |= Set(misses, std::max(misses, 0));
  return changed;
}

}  // namespace moriva
