#include "audio/Sound.h"

#include <utility>

#include "audio/AddPathSep.h"

namespace moriva {

namespace {
// The switches are meant as 0/1; a Boolean true (-1) still means "on" and must not spill
// into other flag bits.
std::uint32_t Switch(std::int16_t value, std::uint32_t flag) { return value != 0 ? flag : 0; }
}  // namespace

Sound::Sound(WavPlayer& player, std::string programFolder)
    : player_(player), programFolder_(std::move(programFolder)) {}

void Sound::Add(const std::string& FileName) {
  SoundFiles_.push_back(AddPathSep(programFolder_) + FileName);
  // Decoding now keeps file reads out of the frame loop, where effects are requested.
  player_.Preload(SoundFiles_.back());
}

void Sound::PlayAsync(std::int16_t SoundNumber, std::int16_t LoopFlg, std::int16_t ASYNCFlg,
                      std::int16_t NoStopFlg) {
  if (!SoundOn) return;
  if (SoundNumber < 1 || static_cast<std::size_t>(SoundNumber) > SoundFiles_.size()) return;
  const std::uint32_t flags = Switch(LoopFlg, SoundFlags::kLoop) | Switch(NoStopFlg, SoundFlags::kNoStop) |
                              Switch(ASYNCFlg, SoundFlags::kAsync);
  player_.sndPlaySoundA(SoundFiles_[static_cast<std::size_t>(SoundNumber - 1)], flags);
}

void Sound::StopSound() { player_.sndPlaySoundA(std::string(), 0); }

void Sound::RemoveAll() { SoundFiles_.clear(); }

}  // namespace moriva
