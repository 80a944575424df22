#include "platform/SdlWavPlayer.h"

#include <SDL_mixer.h>

#include <utility>

#include "platform/SdlAudioSession.h"

namespace moriva {

namespace {
constexpr int kChannel = SdlAudioSession::kEffectChannel;
constexpr int kLoopForever = -1;
constexpr int kPlayOnce = 0;
}  // namespace

SdlWavPlayer::SdlWavPlayer(std::shared_ptr<SdlAudioSession> session) : SdlSessionUser(std::move(session)) {}

SdlWavPlayer::~SdlWavPlayer() {
  Mix_HaltChannel(kChannel);
  for (auto& [name, chunk] : decoded_) {
    if (chunk) Mix_FreeChunk(chunk);
  }
}

void SdlWavPlayer::Preload(const std::string& file) { Decoded(file); }

bool SdlWavPlayer::sndPlaySoundA(const std::string& file, std::uint32_t flags) {
  if (file.empty()) {
    Mix_HaltChannel(kChannel);
    return true;
  }
  Mix_Chunk* chunk = Decoded(file);
  if (!chunk) return false;
  if ((flags & SoundFlags::kNoStop) != 0 && Mix_Playing(kChannel)) return false;
  const int loops = (flags & SoundFlags::kLoop) != 0 ? kLoopForever : kPlayOnce;
  return Mix_PlayChannel(kChannel, chunk, loops) == kChannel;
}

std::string SdlWavPlayer::SoundingFile() const {
  if (!Mix_Playing(kChannel)) return {};
  const Mix_Chunk* sounding = Mix_GetChunk(kChannel);
  for (const auto& [name, chunk] : decoded_) {
    if (chunk && chunk == sounding) return name;
  }
  return {};
}

Mix_Chunk* SdlWavPlayer::Decoded(const std::string& file) {
  auto found = decoded_.find(file);
  if (found == decoded_.end()) {
    ++filesRead_;
    found = decoded_.emplace(file, Mix_LoadWAV(file.c_str())).first;
  }
  return found->second;
}

}  // namespace moriva
