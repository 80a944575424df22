#pragma once

namespace moriva {

class Game;

// Starts the ending when the goal countdown runs out; the main loop returns right after.
void ShowEnding(Game& game);

}  // namespace moriva
