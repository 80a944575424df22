#include "game/GameAudio.h"

#include "audio/Sound.h"
#include "audio/clsBGM.h"
#include "game/GameTables.h"

namespace moriva {

void RegisterGameAudio(clsBGM& bgm, MidiDevice& device, Sound& se) {
  bgm.InitBGM(device);
  for (const char* file : kMusicFiles) bgm.AddBGM(file);
  for (const char* file : kEffectFiles) se.Add(file);
  se.SoundOn = true;
}

}  // namespace moriva
