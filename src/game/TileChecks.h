#pragma once

namespace moriva {

class Game;

// The tile checks of a frame (frame step 6): head, sides, feet and centre of the hero.
void CheckTiles(Game& game);

}  // namespace moriva
