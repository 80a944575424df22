#pragma once

#include <Qt>

namespace moriva {

// What the window itself does for a key, apart from the game: scale, fullscreen, sound.
enum class WindowCommand { None, ScaleUp, ScaleDown, ScaleToFit, ToggleFullscreen, ToggleMusic, ToggleEffects };

// The window's keys: Ctrl with +, - and 0 for the scale, F11 and Alt+Enter for fullscreen,
// M and N (with no modifier) for the music and the effects.
WindowCommand WindowCommandForKey(int qtKey, Qt::KeyboardModifiers modifiers);

}  // namespace moriva
