#pragma once

#include "platform/EventPump.h"

namespace moriva {

// One pass over the window system's pending events (keys, close, timers, painting, music).
class QtEventPump final : public EventPump {
 public:
  void ProcessEvents() override;
};

}  // namespace moriva
