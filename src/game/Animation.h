#pragma once

#include "game/GameState.h"
#include "game/PhysicsMath.h"

namespace moriva {

// The sprite-sheet cell that animated tile `tile` shows at AnimCount `c` with the switch
// state `s`, or -1 for a tile that does not animate.
int AnimatedCell(int tile, int c, int s);

// The hero's sprite number for the state, or -1 when the hero is not drawn.
int HeroSprite(const GameState& st);

}  // namespace moriva
