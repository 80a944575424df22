#pragma once

#include <vector>

#include "platform/ControllerSource.h"

namespace moriva {

// The system's game controllers through SDL's game-controller layer, which knows the
// button layout of the common pads. Pads plugged in or out are picked up on the next poll.
// Without the subsystem (no joystick support) it reads as no pad.
class SdlControllerSource final : public ControllerSource {
 public:
  SdlControllerSource();
  ~SdlControllerSource() override;
  SdlControllerSource(const SdlControllerSource&) = delete;
  SdlControllerSource& operator=(const SdlControllerSource&) = delete;

  PadState Poll() override;
  int connectedPads() const override { return static_cast<int>(pads_.size()); }

 private:
  void Open(int deviceIndex);
  void Close(int instanceId);

  bool started_ = false;
  std::vector<void*> pads_;  // SDL_GameController handles; SDL stays out of this header
};

}  // namespace moriva
