#pragma once

#include "platform/ControllerSource.h"

namespace moriva::test {

// A pad the test holds: Poll reads whatever the test last set; unplugged it reads as idle.
class FakeControllerSource final : public ControllerSource {
 public:
  PadState Poll() override { return plugged ? state : PadState{}; }
  int connectedPads() const override { return plugged ? 1 : 0; }

  PadState state;
  bool plugged = true;
};

}  // namespace moriva::test
