#include "replay/RouteSearchHost.h"

#include "game/Game.h"
#include "game/PhysicsConstants.h"
#include "game/PhysicsMath.h"
#include "replay/PlaySnapshot.h"
#include "world/basMoriva.h"

namespace moriva {

namespace {

using namespace physics;
constexpr int kItems = 10;
}

void RouteSearchHost::Begin(const RouteMove& move) {
  move_ = move;
  continuing_ = false;
  before_ = 0;
  framesRun_ = 0;
  dialogs_.clear();
}

void RouteSearchHost::Continue(int frames) {
  continuing_ = true;
  continueFrames_ = frames;
  before_ += framesRun_;
  framesRun_ = 0;
}

void RouteSearchHost::Hold(std::uint8_t keys) {
  for (int i = 0; i < kPlayKeyCount; ++i) {
    if ((keys >> i) & 1u)
      game_->KeyDown(kPlayKeys[i]);
    else
      game_->KeyUp(kPlayKeys[i]);
  }
}

void RouteSearchHost::FrameBegins(long frame) {
  // RunGame starts by forgetting the held keys; a continuation holds again what was held.
  if (continuing_) {
    if (frame == 1) Hold(held_);
    return;
  }
  if (frame == 1) Hold(move_.first.keys);
  if (move_.second.frames > 0 && frame == move_.first.frames + 1) Hold(move_.second.keys);
}

void RouteSearchHost::FrameEnded(long frame) {
  framesRun_ = static_cast<int>(frame);
  const GameState& s = game_->state();
  held_ = 0;
  for (int i = 0; i < kPlayKeyCount; ++i)
    if (s.KeyState[kPlayKeys[i]] != 0) held_ = static_cast<std::uint8_t>(held_ | (1u << i));
  const bool over = continuing_ ? frame >= continueFrames_
                    : move_.waitsOutCountdown
                        ? (s.Countdown == 0 && s.HeroState < hero::kFirstSequenceState) ||
                              frame >= kMaxWaitOut
                        : frame >= move_.frames();
  if (over) game_->state().StopLoop = kTrue;
}

void RouteSearchHost::ShowItemDialog(int itemNo) {
  const GameState& s = game_->state();
  RouteDialog d;
  d.itemNo = itemNo;
  d.blockX = game_->module().BlockX;
  d.blockY = game_->module().BlockY;
  d.cellX = TileOf(static_cast<double>(s.HeroX) + kCentre);
  d.cellY = TileOf(static_cast<double>(s.HeroY) + kCentre);
  for (int i = 0; i < kItems; ++i)
    if (s.HaveItem[i] != 0 && i != itemNo) d.itemsBefore = static_cast<std::uint16_t>(d.itemsBefore | (1u << i));
  d.frame = before_ + framesRun_ + 1;
  dialogs_.push_back(d);
}

}  // namespace moriva
