#pragma once

#include <memory>
#include <string>

namespace moriva {

// The process's one open SDL audio device with SDL_mixer on it. Devices that play through
// it share the session; the device closes when the last of them goes.
class SdlAudioSession {
 public:
  // Opens the device (the named SDL driver, or SDL's choice when empty). Null when no audio
  // device opens; an open session is handed out again while anyone holds it.
  static std::shared_ptr<SdlAudioSession> Open(const std::string& driver);
  ~SdlAudioSession();

  SdlAudioSession(const SdlAudioSession&) = delete;
  SdlAudioSession& operator=(const SdlAudioSession&) = delete;

  // MIDI through FluidSynth with this SoundFont; false when the file or the decoder is missing.
  bool EnableMidi(const std::string& soundFont);

  static constexpr int kSampleRate = 44100;
  // The single mixer channel effects play on: a new effect replaces the sounding one there.
  static constexpr int kEffectChannel = 0;

 private:
  SdlAudioSession() = default;
};

}  // namespace moriva
