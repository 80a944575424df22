#include "game/Ending.h"

#include "game/Game.h"

namespace moriva {

void ShowEnding(Game& game) {
  game.host().Note(GameEvent::ShowEnding, 0);
  game.host().ShowEndingView();
}

}  // namespace moriva
