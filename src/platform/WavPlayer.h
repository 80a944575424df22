#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace moriva {

// Flag bits of a play request, as the effect player composes them.
namespace SoundFlags {
inline constexpr std::uint32_t kAsync = 1;      // return at once
inline constexpr std::uint32_t kNoDefault = 2;  // never set by the game
inline constexpr std::uint32_t kLoop = 8;       // repeat until stopped
inline constexpr std::uint32_t kNoStop = 16;    // leave a sounding effect alone
}  // namespace SoundFlags

// Plays one WAV effect at a time. A new request cuts off the sounding effect unless kNoStop
// is given; an empty file name with flags 0 stops any effect. Requests return at once.
class WavPlayer {
 public:
  virtual ~WavPlayer() = default;

  // Returns whether the request was taken; callers ignore the result.
  virtual bool sndPlaySoundA(const std::string& file, std::uint32_t flags) = 0;

  // Decodes a file ahead of its first request, so playing never reads from disk.
  // A missing file is remembered as silence, not reported.
  virtual void Preload(const std::string& file) { (void)file; }
};

// Records each request and preload in order.
class RecordingWavPlayer final : public WavPlayer {
 public:
  struct Call {
    std::string file;
    std::uint32_t flags;
    bool operator==(const Call&) const = default;
  };

  bool sndPlaySoundA(const std::string& file, std::uint32_t flags) override {
    calls.push_back({file, flags});
    return true;
  }
  void Preload(const std::string& file) override { preloaded.push_back(file); }

  std::vector<Call> calls;
  std::vector<std::string> preloaded;
};

// No sound device: every request is taken and nothing sounds.
class SilentWavPlayer final : public WavPlayer {
 public:
  bool sndPlaySoundA(const std::string&, std::uint32_t) override { return true; }
};

}  // namespace moriva
