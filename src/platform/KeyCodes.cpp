#include "platform/KeyCodes.h"

#include <Qt>

namespace moriva {

namespace {
constexpr int kDigits = 10;
// Scan codes of the keys "1".."9" then "0", in order along the top row.
#if defined(_WIN32)
constexpr std::uint32_t kTopRowOne = 0x02;  // PC scan code set 1
#elif defined(__APPLE__)
constexpr std::uint32_t kTopRowOne = 0;  // no scan codes here: the Qt key decides
#else
constexpr std::uint32_t kTopRowOne = 10;  // X11 and Wayland: the evdev code plus 8
#endif
}  // namespace

int VirtualKeyFromQtKey(int qtKey) {
  struct Entry {
    int qt;
    int vk;
  };
  static constexpr Entry kTable[] = {
      {Qt::Key_Return, vk::kEnter}, {Qt::Key_Enter, vk::kEnter}, {Qt::Key_Space, vk::kSpace},
      {Qt::Key_Left, vk::kLeft},    {Qt::Key_Up, vk::kUp},       {Qt::Key_Right, vk::kRight},
      {Qt::Key_Down, vk::kDown},
  };
  for (const Entry& e : kTable)
    if (e.qt == qtKey) return e.vk;
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return vk::kDigit0 + (qtKey - Qt::Key_0);
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return vk::kA + (qtKey - Qt::Key_A);
  return -1;
}

int TopRowDigitFromScanCode(std::uint32_t nativeScanCode) {
  if (kTopRowOne == 0 || nativeScanCode < kTopRowOne || nativeScanCode >= kTopRowOne + kDigits) return -1;
  return static_cast<int>((nativeScanCode - kTopRowOne + 1) % kDigits);
}

int VirtualKeyFromKeyEvent(int qtKey, std::uint32_t nativeScanCode, bool keypad) {
  const bool digitKey = qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9;
  if (keypad && digitKey) return vk::kNumpad0 + (qtKey - Qt::Key_0);
  if (const int digit = TopRowDigitFromScanCode(nativeScanCode); digit >= 0) return vk::kDigit0 + digit;
  // A digit from a scan code that is not on the top row (a remapped key, or no scan code at
  // all, as with synthesised events) still counts by its Qt key.
  return VirtualKeyFromQtKey(qtKey);
}

std::uint32_t PhysicalKeyOf(int qtKey, std::uint32_t nativeScanCode) {
  return nativeScanCode != 0 ? nativeScanCode : static_cast<std::uint32_t>(qtKey);
}

}  // namespace moriva
