#pragma once

#include <array>
#include <cstdint>

namespace moriva {

// The pad's controls the game reads, named by where they sit: the bottom and the right face
// button, whatever letters a maker prints on them.
enum class PadButton { Bottom, Right, Start, DpadUp, DpadDown, DpadLeft, DpadRight };
inline constexpr int kPadButtons = 7;

// What the game pads hold at one moment; several pads count as one.
struct PadState {
  std::array<bool, kPadButtons> buttons{};
  std::int16_t leftX = 0;  // left stick, -32768 (left) .. 32767 (right)
  std::int16_t leftY = 0;  // -32768 (up) .. 32767 (down)

  bool held(PadButton b) const { return buttons[static_cast<int>(b)]; }
  void set(PadButton b, bool down) { buttons[static_cast<int>(b)] = down; }
};

// Where the pads' state comes from: the system's game controllers, or a script in tests.
class ControllerSource {
 public:
  virtual ~ControllerSource() = default;
  // Picks up pads plugged in or out since the last call and reads what they hold; a source
  // without a pad reads as nothing held.
  virtual PadState Poll() = 0;
  virtual int connectedPads() const = 0;
};

}  // namespace moriva
