#pragma once

#include <cstdint>
#include <functional>
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

  // Receives every block the device is sent, music and effects mixed (interleaved 16-bit
  // stereo samples), on the audio thread. One tap at a time; an empty one removes it.
  using OutputTap = std::function<void(const std::int16_t* samples, int count)>;
  void SetOutputTap(OutputTap tap);

  static constexpr int kSampleRate = 44100;
  // The single mixer channel effects play on: a new effect replaces the sounding one there.
  static constexpr int kEffectChannel = 0;

 private:
  SdlAudioSession() = default;
  static void TapEffect(int channel, void* stream, int bytes, void* session);

  OutputTap tap_;
};

}  // namespace moriva
