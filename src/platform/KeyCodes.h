#pragma once

#include <cstdint>

namespace moriva {

// The virtual key numbers that KeyState is indexed by.
namespace vk {
constexpr int kEnter = 13;
constexpr int kSpace = 32;
constexpr int kLeft = 37;
constexpr int kUp = 38;
constexpr int kRight = 39;
constexpr int kDown = 40;
constexpr int kDigit0 = 48;  // digits 48..57: the top-row keys
constexpr int kA = 65;       // letters 65..90
constexpr int kL = 76;
constexpr int kQ = 81;
constexpr int kS = 83;
constexpr int kNumpad0 = 96;  // keypad digits 96..105, which the game does not read
constexpr int kCount = 256;
}  // namespace vk

// Maps a Qt key (Qt::Key value) to its virtual key number, or -1 when the game has none.
int VirtualKeyFromQtKey(int qtKey);

// The digit 0..9 printed on the top-row key with this native scan code, or -1. The digits
// are found by where the key lies, not by what it types: Shift and the keyboard layout
// change the character (a digit released under Shift comes back as a symbol, and some
// layouts type symbols on the unshifted row), never the key.
int TopRowDigitFromScanCode(std::uint32_t nativeScanCode);

// The virtual key of a key event: the top-row digits by their place, keypad digits as the
// keypad's own keys, every other key by what Qt makes of it.
int VirtualKeyFromKeyEvent(int qtKey, std::uint32_t nativeScanCode, bool keypad);

// What identifies the physical key of an event, for matching a release with its press:
// the scan code where the window system gives one, else the Qt key.
std::uint32_t PhysicalKeyOf(int qtKey, std::uint32_t nativeScanCode);

}  // namespace moriva
