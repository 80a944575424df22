#pragma once

namespace moriva {

// One pass of window-event processing (key, close, timer, paint and music events).
class EventPump {
 public:
  virtual ~EventPump() = default;
  virtual void ProcessEvents() = 0;
};

// Counts the passes; tests and the headless runner hook their own work in here.
class CountingEventPump final : public EventPump {
 public:
  void ProcessEvents() override { ++passes; }
  long passes = 0;
};

}  // namespace moriva
