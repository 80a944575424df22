#pragma once

#include <cstdint>
#include <string>

#include "editor/EditorGeometry.h"
#include "world/MapGrid.h"

namespace moriva {

// What a code does in play, from the game's own tile catalogue: "code 55: treasure box".
std::string DescribeCode(std::uint8_t code);

// The cell under the pointer, for the editor's info line:
// "block (1, 2) cell (3, 4) world (53, 104) code 55: treasure box".
std::string DescribeCell(const MapGrid& map, int bx, int by, Cell cell);

}  // namespace moriva
