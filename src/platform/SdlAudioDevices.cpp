#include "platform/SdlAudioDevices.h"

#include <SDL_mixer.h>

#include <algorithm>
#include <future>
#include <utility>

#include "platform/MidiDecoderLock.h"
#include "platform/ReturnFreedMemory.h"
#include "platform/SdlAudioSession.h"
#include "platform/SdlMidiDevice.h"
#include "platform/SdlWavPlayer.h"

namespace moriva {

namespace {

// An open session, whether MIDI plays through it, and pieces decoded ahead (freed here
// unless a music device adopts them).
struct OpenedAudio {
  std::shared_ptr<SdlAudioSession> session;
  bool midi = false;
  std::vector<std::pair<std::string, Mix_Music*>> pieces;

  OpenedAudio() = default;
  OpenedAudio(OpenedAudio&&) = default;
  OpenedAudio& operator=(OpenedAudio&&) = default;
  ~OpenedAudio() {
    // Usually all adopted by the music device: then nothing waits for the decoders' lock.
    const bool anyLeft = std::any_of(pieces.begin(), pieces.end(), [](const auto& p) { return p.second; });
    if (!anyLeft) return;
    const std::lock_guard<std::mutex> decoding(MidiDecoderLock());
    for (auto& piece : pieces)
      if (piece.second) Mix_FreeMusic(piece.second);
  }
};

OpenedAudio OpenSession(const std::string& soundFont, const std::string& driver,
                        const std::vector<std::string>& musicFiles) {
  OpenedAudio opened;
  opened.session = SdlAudioSession::Open(driver);
  opened.midi = opened.session && opened.session->EnableMidi(soundFont);
  if (opened.midi) {
    const std::lock_guard<std::mutex> decoding(MidiDecoderLock());
    for (const std::string& file : musicFiles) opened.pieces.emplace_back(file, Mix_LoadMUS(file.c_str()));
  }
  if (!musicFiles.empty()) ReturnFreedMemory();
  return opened;
}

AudioDevices DevicesOn(OpenedAudio& opened) {
  AudioDevices devices;
  if (opened.session) {
    devices.wav = std::make_unique<SdlWavPlayer>(opened.session);
    devices.effectsAudible = true;
    if (opened.midi) {
      auto midi = std::make_unique<SdlMidiDevice>(opened.session);
      for (auto& piece : opened.pieces)
        if (piece.second) midi->Adopt(piece.first, std::exchange(piece.second, nullptr));
      devices.midi = std::move(midi);
      devices.musicAudible = true;
    }
  }
  if (!devices.wav) devices.wav = std::make_unique<SilentWavPlayer>();
  if (!devices.midi) devices.midi = std::make_unique<SilentMidiDevice>();
  return devices;
}

}  // namespace

struct AudioHeadStart::Work {
  std::future<OpenedAudio> opened;
};

AudioHeadStart::AudioHeadStart() = default;
AudioHeadStart::AudioHeadStart(std::unique_ptr<Work> w) : work(std::move(w)) {}
AudioHeadStart::AudioHeadStart(AudioHeadStart&&) noexcept = default;
AudioHeadStart& AudioHeadStart::operator=(AudioHeadStart&&) noexcept = default;
AudioHeadStart::~AudioHeadStart() = default;

AudioDevices OpenAudioDevices(const std::string& soundFont, const std::string& driver) {
  OpenedAudio opened = OpenSession(soundFont, driver, {});
  return DevicesOn(opened);
}

AudioHeadStart StartOpeningAudio(std::vector<std::string> musicFiles, const std::string& soundFont,
                                 const std::string& driver) {
  auto work = std::make_unique<AudioHeadStart::Work>();
  work->opened = std::async(std::launch::async, [files = std::move(musicFiles), soundFont, driver] {
    return OpenSession(soundFont, driver, files);
  });
  return AudioHeadStart(std::move(work));
}

AudioDevices OpenAudioDevices(AudioHeadStart headStart) {
  if (!headStart.work || !headStart.work->opened.valid()) return OpenAudioDevices();
  OpenedAudio opened = headStart.work->opened.get();
  return DevicesOn(opened);
}

}  // namespace moriva
