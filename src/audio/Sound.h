#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/WavPlayer.h"

namespace moriva {

// Plays registered WAV effects by number (from 1), fire-and-forget; a new effect cuts off
// the one that is sounding unless asked not to.
class Sound {
 public:
  Sound(WavPlayer& player, std::string programFolder);

  // Requests are ignored until the game switches effects on.
  bool SoundOn = false;

  void Add(const std::string& FileName);
  void PlayAsync(std::int16_t SoundNumber, std::int16_t LoopFlg = 0, std::int16_t ASYNCFlg = 0,
                 std::int16_t NoStopFlg = 0);
  void StopSound();
  void RemoveAll();

  const std::vector<std::string>& SoundFiles() const { return SoundFiles_; }

 private:
  WavPlayer& player_;
  std::string programFolder_;
  std::vector<std::string> SoundFiles_;
};

}  // namespace moriva
