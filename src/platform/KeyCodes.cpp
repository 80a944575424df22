#include "platform/KeyCodes.h"

#include <Qt>

namespace moriva {

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

}  // namespace moriva
