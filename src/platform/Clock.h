#pragma once

#include <cstdint>

namespace moriva {

// The frame loop's two clocks: a millisecond tick that never wraps and a seconds clock
// for the frame-rate label that never jumps back (no midnight fault).
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::int64_t TickMs() = 0;
  virtual double Seconds() = 0;
  // Sleeps about this many milliseconds; a virtual clock just advances.
  virtual void SleepMs(double ms) = 0;
  // Sleeps until the clock reads `ms` milliseconds (on the scale of `Seconds`); returns at
  // once when that moment has passed. The wake-up is late by the system's timer latency.
  virtual void SleepUntilMs(double ms) { SleepMs(ms - Seconds() * 1000.0); }
};

// The monotonic clock of the machine, counted from the clock's creation.
class SteadyClock final : public Clock {
 public:
  SteadyClock();
  std::int64_t TickMs() override;
  double Seconds() override;
  void SleepMs(double ms) override;
  // An absolute sleep on the monotonic clock: the time spent computing the wait does not
  // lengthen it, and the thread's timer slack is narrowed so the wake-up is prompt.
  void SleepUntilMs(double ms) override;

 private:
  std::int64_t originNs_;
};

// A clock that moves only when told: headless runs and tests. Every reading of the tick
// advances it by `stepPerRead` ms, so a wait loop on it ends.
class VirtualClock final : public Clock {
 public:
  explicit VirtualClock(std::int64_t stepPerRead = 1) : step_(stepPerRead) {}
  std::int64_t TickMs() override { return now_ += step_; }
  double Seconds() override { return static_cast<double>(now_) / 1000.0; }
  void SleepMs(double ms) override { now_ += static_cast<std::int64_t>(ms); }
  void SleepUntilMs(double ms) override {
    if (ms > static_cast<double>(now_)) now_ = static_cast<std::int64_t>(ms);
  }
  void Advance(std::int64_t ms) { now_ += ms; }
  std::int64_t now() const { return now_; }

 private:
  std::int64_t now_ = 0;
  std::int64_t step_;
};

}  // namespace moriva
