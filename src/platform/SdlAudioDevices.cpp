#include "platform/SdlAudioDevices.h"

#include "platform/SdlAudioSession.h"
#include "platform/SdlMidiDevice.h"
#include "platform/SdlWavPlayer.h"

namespace moriva {

AudioDevices OpenAudioDevices(const std::string& soundFont, const std::string& driver) {
  AudioDevices devices;
  std::shared_ptr<SdlAudioSession> session = SdlAudioSession::Open(driver);
  if (session) {
    devices.wav = std::make_unique<SdlWavPlayer>(session);
    devices.effectsAudible = true;
    if (session->EnableMidi(soundFont)) {
      devices.midi = std::make_unique<SdlMidiDevice>(session);
      devices.musicAudible = true;
    }
  }
  if (!devices.wav) devices.wav = std::make_unique<SilentWavPlayer>();
  if (!devices.midi) devices.midi = std::make_unique<SilentMidiDevice>();
  return devices;
}

}  // namespace moriva
