#pragma once

namespace moriva {

class Game;

// Opens the treasure box of the current block: gives its item and shows the item dialog.
void OpenTreasureBox(Game& game);

}  // namespace moriva
