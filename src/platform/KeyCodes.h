#pragma once

namespace moriva {

// The virtual key numbers that KeyState is indexed by.
namespace vk {
constexpr int kEnter = 13;
constexpr int kSpace = 32;
constexpr int kLeft = 37;
constexpr int kUp = 38;
constexpr int kRight = 39;
constexpr int kDown = 40;
constexpr int kDigit0 = 48;  // digits 48..57
constexpr int kA = 65;       // letters 65..90
constexpr int kL = 76;
constexpr int kQ = 81;
constexpr int kS = 83;
constexpr int kCount = 256;
}  // namespace vk

// Maps a Qt key (Qt::Key value) to its virtual key number, or -1 when the game has none.
int VirtualKeyFromQtKey(int qtKey);

}  // namespace moriva
