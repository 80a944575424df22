#include "platform/SdlAudioSession.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <filesystem>
#include <mutex>
#include <system_error>
#include <utility>

namespace moriva {

namespace {
constexpr int kChannels = 2;
constexpr int kChunkFrames = 1024;
constexpr int kMixerChannels = 1;
// Music and effects play together and their sum must stay below full scale. The music
// peaks near -3 dBFS at the full volume; the effects peak at most at -1 dBFS, with their
// loudest 100 ms at -14 dBFS. At these volumes a peak of each adds up to about 0.92 of full
// scale, and the effects stand about 5 dB above the music's average level.
constexpr int kMusicVolume = MIX_MAX_VOLUME / 2;         // -6 dB
constexpr int kEffectVolume = MIX_MAX_VOLUME * 5 / 8;    // -4.1 dB

std::mutex gSessionMutex;
std::weak_ptr<SdlAudioSession> gSession;
}  // namespace

std::shared_ptr<SdlAudioSession> SdlAudioSession::Open(const std::string& driver) {
  std::lock_guard lock(gSessionMutex);
  if (auto open = gSession.lock()) return open;

  // An explicit driver wins over the environment, so a caller can ask for a given one.
  if (driver.empty()) {
    SDL_ResetHint(SDL_HINT_AUDIODRIVER);
  } else {
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, driver.c_str(), SDL_HINT_OVERRIDE);
  }
  // The window's own close and the system's termination signals end the program; SDL
  // would otherwise swallow SIGINT and SIGTERM for an event loop the program does not run.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
  if (Mix_OpenAudio(kSampleRate, AUDIO_S16SYS, kChannels, kChunkFrames) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return nullptr;
  }
  Mix_AllocateChannels(kMixerChannels);
  Mix_Volume(kEffectChannel, kEffectVolume);
  Mix_VolumeMusic(kMusicVolume);
  std::shared_ptr<SdlAudioSession> session(new SdlAudioSession());
  gSession = session;
  return session;
}

SdlAudioSession::~SdlAudioSession() {
  Mix_UnregisterEffect(MIX_CHANNEL_POST, &SdlAudioSession::TapEffect);
  Mix_HaltChannel(-1);
  Mix_HaltMusic();
  Mix_CloseAudio();
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlAudioSession::SetOutputTap(OutputTap tap) {
  // Registering and unregistering take the audio lock: the audio thread never sees the
  // tap while it is being replaced.
  Mix_UnregisterEffect(MIX_CHANNEL_POST, &SdlAudioSession::TapEffect);
  tap_ = std::move(tap);
  if (tap_) Mix_RegisterEffect(MIX_CHANNEL_POST, &SdlAudioSession::TapEffect, nullptr, this);
}

void SdlAudioSession::TapEffect(int, void* stream, int bytes, void* session) {
  static_cast<SdlAudioSession*>(session)->tap_(static_cast<const std::int16_t*>(stream),
                                               bytes / static_cast<int>(sizeof(std::int16_t)));
}

bool SdlAudioSession::EnableMidi(const std::string& soundFont) {
  std::error_code error;
  if (soundFont.empty() || !std::filesystem::is_regular_file(soundFont, error)) return false;
  if (Mix_SetSoundFonts(soundFont.c_str()) == 0) return false;
  if ((Mix_Init(MIX_INIT_MID) & MIX_INIT_MID) == 0) return false;
  return Mix_HasMusicDecoder("FLUIDSYNTH") == SDL_TRUE || Mix_HasMusicDecoder("MIDI") == SDL_TRUE;
}

}  // namespace moriva
