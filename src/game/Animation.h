#pragma once

#include "game/AnimatedCell.h"
#include "game/GameState.h"
#include "game/PhysicsMath.h"

namespace moriva {


// The hero's sprite number for the state, or -1 when the hero is not drawn.
int HeroSprite(const GameState& st);

}  // namespace moriva
