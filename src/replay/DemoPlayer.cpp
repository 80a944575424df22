#include "replay/DemoPlayer.h"

#include <algorithm>
#include <string>

#include "replay/PositionLine.h"
#include "world/basMoriva.h"

namespace moriva {

DemoPlayer::DemoPlayer(const ReplayScript& script, std::ostream& report)
    : script_(script), report_(report), keys_(script.keys) {
  std::stable_sort(keys_.begin(), keys_.end(), [](const auto& a, const auto& b) { return a.frame < b.frame; });
}

void DemoPlayer::TitleChosen(int, Game& game) {
  ApplyScriptStart(game, game.module(), script_.start, script_.items, script_.switchOn);
}

void DemoPlayer::FrameBegins(long frame, Game& game) {
  for (; nextKey_ < keys_.size() && keys_[nextKey_].frame <= frame; ++nextKey_) {
    const auto& k = keys_[nextKey_];
    if (k.frame < frame) continue;
    if (k.pressed)
      game.KeyDown(k.key);
    else
      game.KeyUp(k.key);
  }
}

void DemoPlayer::FrameEnded(long frame, Game& game) {
  lastFrame_ = frame;
  if (positions_) WritePositionLine(*positions_, frame, game);
  const long limit = script_.frames > 0 ? script_.frames : ReplayScript::kDefaultFrameLimit;
  if (frame >= limit) game.state().StopLoop = kTrue;
}

bool DemoPlayer::Answer(const char*, bool& yes) {
  yes = nextAnswer_ < script_.answers.size() && script_.answers[nextAnswer_];
  if (nextAnswer_ < script_.answers.size()) ++nextAnswer_;
  return true;
}

bool DemoPlayer::CloseDialog(int) { return true; }

bool DemoPlayer::PlayEnded(RunResult result, Game& game) {
  if (positions_) positions_->flush();
  const GameState& st = game.state();
  report_ << "{\"end\": \"" << EndReason(result) << "\", \"frames\": " << lastFrame_
          << ", \"BlockX\": " << game.module().BlockX << ", \"BlockY\": " << game.module().BlockY
          << ", \"HeroX\": " << TraceNumber(st.HeroX) << ", \"HeroY\": " << TraceNumber(st.HeroY) << "}"
          << std::endl;
  // The ending plays on in the window; any other end of play ends the demo.
  return result != RunResult::Ending;
}

}  // namespace moriva
