#pragma once

#include <cstdint>

namespace moriva {

class Game;

constexpr std::int16_t kItemNoEmptyBox = -1;
constexpr int kLastItemNo = 9;

// What the treasure box of block (blockX, blockY) holds: an item 0..9, a memo 101..106 or
// -1 (empty); -1 for a block outside the world.
std::int16_t BoxContent(int blockX, int blockY);

// Opens the treasure box of the current block: gives its item once, shows its icon, then
// shows the item dialog and forgets the held keys.
void OpenTreasureBox(Game& game);

}  // namespace moriva
