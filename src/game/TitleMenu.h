#pragma once

#include <array>

#include "platform/Surface.h"

namespace moriva {

// The title menu's labels without the widgets: which entry is highlighted and which
// typed characters choose an entry.
class TitleMenu {
 public:
  static constexpr int kEntries = 3;        // lblTitle 0..2
  static constexpr int kNewGame = 0;
  static constexpr int kContinue = 1;
  static constexpr int kSettings = 2;       // shown disabled
  static constexpr Pixel kNormal = Rgb(192, 192, 0);
  static constexpr Pixel kHighlight = Rgb(255, 255, 160);
  static constexpr Pixel kDisabled = Rgb(224, 224, 224);

  // lblTitle_MouseMove: every entry back to the normal colour, then `index` highlighted.
  void MouseMove(int index);
  // The entry a typed character chooses: space the new game, "L" or "l" the saved one;
  // -1 for every other character.
  static int ChoiceForKey(int keyAscii);

  // The text colour of entry i as the menu sets it.
  Pixel color(int i) const { return colors_[i]; }

 private:
  std::array<Pixel, kEntries> colors_{kNormal, kNormal, kDisabled};
};

}  // namespace moriva
