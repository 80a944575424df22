#include "game/TitleMenu.h"

namespace moriva {

void TitleMenu::MouseMove(int index) {
  colors_.fill(kNormal);
  if (index >= 0 && index < kEntries) colors_[index] = kHighlight;
}

int TitleMenu::ChoiceForKey(int keyAscii) {
  if (keyAscii == ' ') return kNewGame;
  if (keyAscii == 'L' || keyAscii == 'l') return kContinue;
  return -1;
}

}  // namespace moriva
