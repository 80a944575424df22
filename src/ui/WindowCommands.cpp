#include "ui/WindowCommands.h"

namespace moriva {

WindowCommand WindowCommandForKey(int qtKey, Qt::KeyboardModifiers modifiers) {
  // The keypad's flag says where a key sits, not what it means: keypad + is + as well.
  const Qt::KeyboardModifiers mods = modifiers & ~(Qt::KeypadModifier | Qt::ShiftModifier);
  if (mods == Qt::ControlModifier) {
    switch (qtKey) {
      case Qt::Key_Plus:
      case Qt::Key_Equal:  // + without Shift on the main row of most layouts
        return WindowCommand::ScaleUp;
      case Qt::Key_Minus:
        return WindowCommand::ScaleDown;
      case Qt::Key_0:
        return WindowCommand::ScaleToFit;
      default:
        return WindowCommand::None;
    }
  }
  if (qtKey == Qt::Key_F11 && mods == Qt::NoModifier) return WindowCommand::ToggleFullscreen;
  if ((qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter) && mods == Qt::AltModifier)
    return WindowCommand::ToggleFullscreen;
  if (mods == Qt::NoModifier && !(modifiers & Qt::ShiftModifier)) {
    if (qtKey == Qt::Key_M) return WindowCommand::ToggleMusic;
    if (qtKey == Qt::Key_N) return WindowCommand::ToggleEffects;
  }
  return WindowCommand::None;
}

}  // namespace moriva
