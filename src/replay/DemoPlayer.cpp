#include "replay/DemoPlayer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "replay/PositionLine.h"
#include "world/basMoriva.h"

namespace moriva {

namespace {

const char* EndReason(RunResult result) {
  switch (result) {
    case RunResult::Title: return "title";
    case RunResult::Ending: return "ending";
    case RunResult::Stopped: return "frames";
    case RunResult::Closed: return "closed";
  }
  return "frames";
}

std::string Number(float v) {
  if (!std::isfinite(v)) return "null";
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(v));
  return buf;
}

}  // namespace

DemoPlayer::DemoPlayer(const ReplayScript& script, std::ostream& report)
    : script_(script), report_(report), keys_(script.keys) {
  std::stable_sort(keys_.begin(), keys_.end(), [](const auto& a, const auto& b) { return a.frame < b.frame; });
}

void DemoPlayer::TitleChosen(int, Game& game) {
  GameState& st = game.state();
  if (script_.start) {
    game.module().BlockX = script_.start->BlockX;
    game.module().BlockY = script_.start->BlockY;
    st.HeroX = script_.start->HeroX;
    st.HeroY = script_.start->HeroY;
  }
  for (int item : script_.items) {
    st.HaveItem[item] = 1;
    st.ItemVisible[item] = true;
  }
  if (script_.switchOn) st.SwitchOn = *script_.switchOn;
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
          << ", \"HeroX\": " << Number(st.HeroX) << ", \"HeroY\": " << Number(st.HeroY) << "}"
          << std::endl;
  // The ending plays on in the window; any other end of play ends the demo.
  return result != RunResult::Ending;
}

}  // namespace moriva
