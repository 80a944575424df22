#pragma once

#include <cstdint>
#include <string>

#include "world/MapGrid.h"

namespace moriva {

// The state that the editor and the game share for the whole run: the world map grid, the
// current block and the path of the map file. It outlives every window.
struct basMoriva {
  MapGrid Map;
  std::int16_t BlockX = 0;
  std::int16_t BlockY = 0;
  std::string MapFile;
};

}  // namespace moriva
