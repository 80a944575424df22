#pragma once

#include "game/Game.h"

namespace moriva {

// What the game window tells a recording or a demo about play, and what a demo decides in
// the player's place. The window calls it at the title choice, at the start and end of each
// frame, at the questions and at the item dialogs; without one the window plays as designed.
class PlayHook {
 public:
  virtual ~PlayHook() = default;

  // The title entry that starts play (0 new game, 1 continue), before the game is prepared.
  virtual void TitleChosen(int /*index*/, Game& /*game*/) {}
  // Before frame `frame` (from 1) runs, with the keys as the frame will read them.
  virtual void FrameBegins(long /*frame*/, Game& /*game*/) {}
  virtual void FrameEnded(long /*frame*/, Game& /*game*/) {}
  // A question of play: true when the hook answers it (`yes` set) and no box is shown.
  virtual bool Answer(const char* /*question*/, bool& /*yes*/) { return false; }
  // The player's answer to a question the box asked.
  virtual void Answered(bool /*yes*/) {}
  // An item dialog: true when the hook closes it at once and no dialog is shown.
  virtual bool CloseDialog(int /*itemNo*/) { return false; }
  // The dialog the player saw has been closed.
  virtual void DialogClosed() {}
  // Play has stopped; true when the window should close.
  virtual bool PlayEnded(RunResult /*result*/, Game& /*game*/) { return false; }
  // False while the player's keys must not reach the game (a demo plays).
  virtual bool PlayerKeysReachGame() const { return true; }
};

}  // namespace moriva
