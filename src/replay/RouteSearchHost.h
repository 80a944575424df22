#pragma once

#include <cstdint>
#include <vector>

#include "game/HeadlessGameHost.h"
#include "platform/Clock.h"
#include "replay/RouteMoves.h"

namespace moriva {

class Game;

// A treasure-box dialog (or the goal's notice) that opened during a move.
struct RouteDialog {
  int itemNo = 0;
  std::int16_t blockX = 0, blockY = 0;
  int cellX = 0, cellY = 0;      // the hero's centre cell: the box's cell
  std::uint16_t itemsBefore = 0; // items owned before the box gave its own
  int frame = 0;                 // frame of the move in which it opened, from 1
};

// The route search's host: silent, unpaced, never saves or loads. It holds a move's keys
// frame by frame exactly as a replay script's key lines do (all six movement keys set at
// the start of each phase), closes every dialog at once, notes which dialogs opened, and
// stops the loop when the move is over.
class RouteSearchHost final : public HeadlessGameHost {
 public:
  void Attach(Game& game) { game_ = &game; }
  // The move the next RunGame plays.
  void Begin(const RouteMove& move);
  // The next RunGame plays on for `frames` more frames with the keys as they are.
  void Continue(int frames);
  const std::vector<RouteDialog>& dialogs() const { return dialogs_; }
  // Frames of the move so far, continuations included.
  int framesRun() const { return before_ + framesRun_; }

  void ShowItemDialog(int itemNo) override;
  void FrameBegins(long frame) override;
  void FrameEnded(long frame) override;

  // A countdown runs at most this long (the drowning's 150 frames and some room).
  static constexpr int kMaxWaitOut = 200;

 private:
  void Hold(std::uint8_t keys);

  Game* game_ = nullptr;
  RouteMove move_{};
  bool continuing_ = false;
  int continueFrames_ = 0;
  int before_ = 0;     // frames of the move run by earlier calls
  int framesRun_ = 0;  // frames of the current call
  std::uint8_t held_ = 0;  // movement keys held at the end of the last frame
  std::vector<RouteDialog> dialogs_;
};

}  // namespace moriva
