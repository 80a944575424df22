#include "platform/Clock.h"

#include <sys/prctl.h>
#include <time.h>

#include <cerrno>
#include <cmath>

namespace moriva {

namespace {
constexpr std::int64_t kNsPerSecond = 1'000'000'000;
constexpr std::int64_t kNsPerMs = 1'000'000;
// The kernel may defer a sleeping thread's wake-up by its timer slack (50 us by default)
// to batch wake-ups; the frame wait spins for only a fraction of a millisecond after its
// sleep, so the slack is kept well inside that.
constexpr unsigned long kTimerSlackNs = 10'000;

std::int64_t NowNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::int64_t>(now.tv_sec) * kNsPerSecond + now.tv_nsec;
}

void SleepUntilNs(std::int64_t when) {
  const timespec until{static_cast<time_t>(when / kNsPerSecond), static_cast<long>(when % kNsPerSecond)};
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
  }
}
}  // namespace

SteadyClock::SteadyClock() : originNs_(NowNs()) { prctl(PR_SET_TIMERSLACK, kTimerSlackNs); }

std::int64_t SteadyClock::TickMs() { return (NowNs() - originNs_) / kNsPerMs; }

double SteadyClock::Seconds() { return static_cast<double>(NowNs() - originNs_) / 1e9; }

void SteadyClock::SleepMs(double ms) {
  if (ms > 0) SleepUntilNs(NowNs() + std::llround(ms * kNsPerMs));
}

void SteadyClock::SleepUntilMs(double ms) { SleepUntilNs(originNs_ + std::llround(ms * kNsPerMs)); }

}  // namespace moriva
