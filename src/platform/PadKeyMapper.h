#pragma once

#include <array>
#include <cstdint>

#include "platform/ControllerSource.h"

namespace moriva {

// Receives the keys the pad presses and lets go, exactly as the keyboard would deliver them.
class PadKeySink {
 public:
  virtual ~PadKeySink() = default;
  virtual void PadKeyDown(int virtualKey) = 0;
  virtual void PadKeyUp(int virtualKey) = 0;
};

// The buttons that answer a question box or the item dialog, pressed since the last update.
struct PadAnswers {
  bool yes = false;  // bottom face button: Yes, OK
  bool no = false;   // right face button: No
};

// Turns the pad's state into key changes: directions (D-pad or left stick past the dead zone)
// are the arrows, the bottom face button Space, the right one Enter, Start Q. Only changes are
// reported, so a held button is one press, as a held key is.
class PadKeyMapper {
 public:
  // A quarter of the stick's travel: a resting or worn stick never walks the hero.
  static constexpr std::int16_t kDeadZone = 8192;

  // The keys the pad can hold, in a fixed order.
  static constexpr int kKeys = 7;
  static const std::array<int, kKeys>& Keys();
  // Which of Keys() the state holds.
  static std::array<bool, kKeys> HeldKeys(const PadState& state);

  PadAnswers Update(const PadState& state, PadKeySink& sink);
  // Lets go of every key the pad holds (the window lost the game, the pad was taken away).
  void ReleaseAll(PadKeySink& sink);

 private:
  std::array<bool, kKeys> held_{};
  bool bottomWasHeld_ = false;
  bool rightWasHeld_ = false;
};

}  // namespace moriva
