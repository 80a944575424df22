#pragma once

#include <memory>
#include <string>

#include "platform/MidiDevice.h"
#include "platform/WavPlayer.h"

namespace moriva {

inline constexpr const char* kGeneralMidiSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

// The music and effect devices of one run. Either may be silent: without an audio device
// both are, without a usable SoundFont only the music is. The program plays on regardless.
struct AudioDevices {
  std::unique_ptr<MidiDevice> midi;
  std::unique_ptr<WavPlayer> wav;
  bool musicAudible = false;
  bool effectsAudible = false;
};

// Create on the window thread: music completions are delivered to the creating thread.
// An empty driver lets SDL choose (honouring SDL_AUDIODRIVER).
AudioDevices OpenAudioDevices(const std::string& soundFont = kGeneralMidiSoundFont,
                              const std::string& driver = {});

}  // namespace moriva
