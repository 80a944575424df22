#include "game/HeroPhysics.h"

#include "game/Game.h"

namespace moriva {

void HeroStateStep(Game&) {}

void RopeClimb(Game&) {}

void MoveAndBlockEdges(Game&) {}

}  // namespace moriva
