#include "game/TreasureBox.h"

#include "game/Game.h"

namespace moriva {

void OpenTreasureBox(Game&) {}

}  // namespace moriva
