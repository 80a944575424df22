#include "platform/Clock.h"

#include <chrono>
#include <thread>

namespace moriva {

namespace {
std::int64_t NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}
}  // namespace

SteadyClock::SteadyClock() : originNs_(NowNs()) {}

std::int64_t SteadyClock::TickMs() { return (NowNs() - originNs_) / 1'000'000; }

double SteadyClock::Seconds() { return static_cast<double>(NowNs() - originNs_) / 1e9; }

void SteadyClock::SleepMs(double ms) {
  if (ms > 0) std::this_thread::sleep_for(std::chrono::microseconds(static_cast<long>(ms * 1000)));
}

}  // namespace moriva
