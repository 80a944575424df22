#include "game/TileChecks.h"

#include "game/Game.h"

namespace moriva {

void CheckTiles(Game&) {}

}  // namespace moriva
