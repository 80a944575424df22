#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include "platform/WavPlayer.h"
#include "platform/SdlSessionUser.h"

struct Mix_Chunk;

namespace moriva {

// Effects over SDL_mixer: one mixer channel, so a new effect replaces the sounding one.
// Decoded effects are kept, so a request from the frame loop never touches the disk once the
// file has been preloaded; a file that cannot be read plays as silence (no alert sound).
// Every request returns at once, the synchronous form included.
class SdlWavPlayer final : public WavPlayer, private SdlSessionUser {
 public:
  explicit SdlWavPlayer(std::shared_ptr<SdlAudioSession> session);
  ~SdlWavPlayer() override;

  bool sndPlaySoundA(const std::string& file, std::uint32_t flags) override;
  void Preload(const std::string& file) override;

  // The file sounding now, or empty.
  std::string SoundingFile() const;
  // How many files have been read from disk (each at most once).
  int FilesRead() const { return filesRead_; }

 private:
  Mix_Chunk* Decoded(const std::string& file);

  std::unordered_map<std::string, Mix_Chunk*> decoded_;
  int filesRead_ = 0;
};

}  // namespace moriva
