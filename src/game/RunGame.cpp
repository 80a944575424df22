#include <charconv>
#include <limits>

#include "game/Ending.h"
#include "game/Game.h"
#include "game/GameTables.h"
#include "game/HeroPhysics.h"
#include "game/TileChecks.h"
#include "platform/Clock.h"
#include "platform/KeyCodes.h"
#include "world/basMoriva.h"

namespace moriva {

namespace {
// A frame ends on the first tick more than this many milliseconds after the previous one.
constexpr std::int64_t kFrameTicks = 12;
// The wait sleeps until this close to the frame's end and spins only for the rest, so the
// frame boundaries stay where the busy wait puts them without burning a core. The sleep is
// absolute and wakes within tens of microseconds on an idle machine; the margin covers that
// latency, and a wake-up later still only shortens the spin.
constexpr double kSpinMs = 0.3;
constexpr double kRateInterval = 1.0;  // seconds between frame-rate updates
constexpr int kDigitCount = 10;
}  // namespace

RunResult Game::RunGame() {
  st_.StopLoop = 0;
  FrameCount_ = 0;
  // The rate clock is monotonic and may start near zero: the first frame must still set
  // the label, as it does with a clock that counts from midnight.
  LastRateTime_ = -2 * kRateInterval;
  LastTick_ = -99999;
  frame_ = 0;
  ClearKeys();

  for (;;) {
    ++frame_;
    host_.FrameBegins(frame_);
    st_.SavedCount = 0;
    st_.SprCount = 0;
    st_.TileFrCount = 0;

    HeroStateStep(*this);
    if (st_.HeroState < hero::kFirstSequenceState && KeysStep()) {
      host_.FrameEnded(frame_);
      return RunResult::Title;
    }
    if (st_.Closing) return RunResult::Closed;
    RopeClimb(*this);
    MoveAndBlockEdges(*this);
    CheckTiles(*this);
    if (st_.Closing) return RunResult::Closed;
    ViewStep();
    RateLabelStep();

    host_.Refresh();
    host_.ProcessEvents();
    if (st_.Closing) return RunResult::Closed;
    WaitForFrameEnd();

    if (CountdownStep()) {
      host_.FrameEnded(frame_);
      return RunResult::Ending;
    }
    RestoreSaved();
    host_.FrameEnded(frame_);
    if (st_.Closing) return RunResult::Closed;
    if (st_.StopLoop == kTrue) return RunResult::Stopped;
  }
}

bool Game::KeysStep() {
  const auto held = [this](int key) { return st_.KeyState[key] != 0; };
  if (held(vk::kS) && st_.SavedInBlock == 0 && st_.HaveItem[kItemDiary] == 1) {
    if (SaveGame()) {
      host_.PlayEffect(effect::kClick);
      st_.SavedInBlock = 1;
    } else {
      // Nothing was saved, so nothing sounds saved and the player may try again; keys
      // released while the message was up are forgotten.
      ClearKeys();
    }
  }
  if (held(vk::kL)) {
    if (host_.AskYesNo(kLoadQuestion)) {
      std::int16_t back = 0;
      for (int d = 0; d < kDigitCount; ++d)
        if (held(vk::kDigit0 + d)) back = static_cast<std::int16_t>(d);
      LoadGame(back);
    }
    ClearKeys();
  }
  if (held(vk::kQ)) {
    if (host_.AskYesNo(kTitleQuestion)) {
      ReturnToTitle();
      st_.StopLoop = kTrue;
      return true;
    }
    ClearKeys();
  }
  return false;
}

void Game::RateLabelStep() {
  const double now = host_.clock().Seconds();
  if (LastRateTime_ + kRateInterval < now) {
    char* first = st_.DpsText.data();
    char* last = first + st_.DpsText.size() - 1;
    auto [end, ec] = std::to_chars(first, last - 3, FrameCount_);
    if (ec != std::errc()) end = first;
    *end++ = 'f';
    *end++ = '/';
    *end++ = 's';
    *end = '\0';
    FrameCount_ = 0;
    LastRateTime_ = now;
  }
  ++FrameCount_;
}

void Game::WaitForFrameEnd() {
  Clock& clock = host_.clock();
  const std::int64_t deadline = LastTick_ + kFrameTicks + 1;  // the first tick that ends it
  const double wakeAt = static_cast<double>(deadline) - kSpinMs;
  if (clock.Seconds() * 1000.0 < wakeAt) clock.SleepUntilMs(wakeAt);
  while (clock.TickMs() <= LastTick_ + kFrameTicks) {
  }
  LastTick_ = clock.TickMs();
}

bool Game::CountdownStep() {
  if (st_.Countdown <= 0) return false;
  --st_.Countdown;
  if (st_.Countdown != 1) return false;
  if (st_.HeroState == hero::kGoal) {
    ShowEnding(*this);
    return true;
  }
  st_.HeroX = st_.RestartX;
  st_.HeroY = st_.RestartY;
  // A count loaded at the top of its range stays there.
  std::int32_t& misses = st_.MissCount[mod_.BlockX][mod_.BlockY];
  if (misses < std::numeric_limits<std::int32_t>::max()) ++misses;
  st_.Countdown = 0;
  return false;
}

}  // namespace moriva
