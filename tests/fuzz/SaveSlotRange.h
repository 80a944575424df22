#pragma once

#include <cmath>

#include "world/MapGrid.h"
#include "world/SaveSlotData.h"

namespace moriva::fuzz {

// The range the game relies on after a load, whatever the file held.
inline bool SaveSlotInRange(const SaveSlotData& d) {
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

}  // namespace moriva::fuzz
