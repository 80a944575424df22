#pragma once

#include <memory>
#include <string>

class QSettings;

namespace moriva {

// What the player chose and the program remembers between runs: the sound switches and the
// game window's scale. Nothing of the game itself is kept here.
struct Preferences {
  static constexpr int kChooseScale = 0;  // no remembered scale: fit the screen

  bool musicOn = true;
  bool effectsOn = true;
  int scale = kChooseScale;

  static Preferences Load(const QSettings& settings);
  void Save(QSettings& settings) const;
};

// The user's settings of this program (QSettings' own place for it).
std::unique_ptr<QSettings> OpenUserSettings();

}  // namespace moriva
