#pragma once

#include <memory>
#include <string>
#include <vector>

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

// The audio device opened and the first pieces of music decoded on a worker while the
// windows are built: decoding a piece loads the SoundFont, which takes a large part of a
// second that the window thread would otherwise spend before its first frame. Whatever is
// never taken is released with the object.
class AudioHeadStart {
 public:
  struct Work;
  AudioHeadStart();
  explicit AudioHeadStart(std::unique_ptr<Work> work);
  AudioHeadStart(AudioHeadStart&&) noexcept;
  AudioHeadStart& operator=(AudioHeadStart&&) noexcept;
  ~AudioHeadStart();
  std::unique_ptr<Work> work;
};

// Starts opening the device and decoding `musicFiles` (paths as the music device is given
// them) on a worker.
AudioHeadStart StartOpeningAudio(std::vector<std::string> musicFiles,
                                 const std::string& soundFont = kGeneralMidiSoundFont,
                                 const std::string& driver = {});

// As above, taking what the head start opened and decoded (waiting for it if need be).
AudioDevices OpenAudioDevices(AudioHeadStart headStart);

}  // namespace moriva
