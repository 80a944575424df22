#include "ui/SoundSwitches.h"

#include "audio/Sound.h"
#include "audio/clsBGM.h"

namespace moriva {

void SoundSwitches::PlayMusic(int number, bool notLoop) {
  requested_ = static_cast<std::int16_t>(number);
  requestedNotLoop_ = notLoop;
  bgm_.BGMPlay(requested_, notLoop);
}

void SoundSwitches::StopMusic() {
  requested_ = 0;
  bgm_.BGMStop();
}

bool SoundSwitches::musicOn() const { return bgm_.MusicOn(); }

bool SoundSwitches::effectsOn() const { return se_.SoundOn; }

void SoundSwitches::SetMusic(bool on) {
  if (on == musicOn()) return;
  bgm_.BGMOnOff(on);
  if (!on) {
    bgm_.BGMStop();
  } else if (requested_ != 0) {
    bgm_.BGMRestart(requested_, requestedNotLoop_);
  }
}

void SoundSwitches::SetEffects(bool on) {
  if (on == effectsOn()) return;
  se_.SoundOn = on;
  if (!on) se_.StopSound();
}

const char* SoundSwitches::Note() const {
  if (!musicOn() && !effectsOn()) return "BGM・効果音 オフ";
  if (!musicOn()) return "BGM オフ";
  if (!effectsOn()) return "効果音 オフ";
  return "";
}

}  // namespace moriva
