#pragma once

#include <cstdint>

namespace moriva {

class clsBGM;
class Sound;

// The player's music (M) and effects (N) switches, over the music manager's and the effect
// player's own flags. The window routes the game's music requests through here, so the
// music switched back on is the piece the game asked for last, not a stale one.
class SoundSwitches {
 public:
  SoundSwitches(clsBGM& bgm, Sound& se) : bgm_(bgm), se_(se) {}

  void PlayMusic(int number, bool notLoop);
  void StopMusic();

  void SetMusic(bool on);
  void SetEffects(bool on);
  void ToggleMusic() { SetMusic(!musicOn()); }
  void ToggleEffects() { SetEffects(!effectsOn()); }
  bool musicOn() const;
  bool effectsOn() const;

  // The note the window shows while something is off; empty while both are on.
  const char* Note() const;

 private:
  clsBGM& bgm_;
  Sound& se_;
  std::int16_t requested_ = 0;  // 0: the game wants no music now
  bool requestedNotLoop_ = false;
};

}  // namespace moriva
