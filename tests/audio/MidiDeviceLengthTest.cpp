#include "platform/MidiDeviceLength.h"

#include <gtest/gtest.h>

#include <optional>

namespace moriva {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Smf(std::uint16_t tracks, std::uint16_t division, const std::vector<Bytes>& bodies) {
  Bytes f = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, static_cast<std::uint8_t>(tracks),
             static_cast<std::uint8_t>(division >> 8), static_cast<std::uint8_t>(division & 0xFF)};
  for (const Bytes& body : bodies) {
    f.insert(f.end(), {'M', 'T', 'r', 'k', 0, 0});
    f.push_back(static_cast<std::uint8_t>(body.size() >> 8));
    f.push_back(static_cast<std::uint8_t>(body.size() & 0xFF));
    f.insert(f.end(), body.begin(), body.end());
  }
  return f;
}

const Bytes kEnd = {0x00, 0xFF, 0x2F, 0x00};

Bytes With(Bytes body) {
  body.insert(body.end(), kEnd.begin(), kEnd.end());
  return body;
}

TEST(MidiLength, PlayingSecondsOrNoneForUnreadableData) {
  // 60 a minute for the first beat, then 120.
  const Bytes tempo = With({0x00, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40, 0x83, 0x60, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20});
  Bytes truncated = Smf(1, 480, {With({0x00, 0x90, 60, 100})});
  truncated.resize(truncated.size() - 6);
  const struct {
    const char* name;
    Bytes file;
    std::optional<double> seconds;
  } cases[] = {
      // Two beats at 120 a minute: note on, then a note on with velocity 0 in running status.
      {"default tempo, running status", Smf(1, 480, {With({0x00, 0x90, 60, 100, 0x87, 0x40, 60, 0})}), 1.0},
      // Beats of 1 s + 0.5 s + 0.5 s.
      {"the first track's tempo map governs the longest track",
       Smf(2, 480, {tempo, With({0x00, 0xC0, 0x05, 0x00, 0x90, 64, 90, 0x8B, 0x20, 0x80, 64, 0})}), 2.0},
      {"a rest before the end of track counts",
       Smf(1, 480, {{0x00, 0x90, 60, 100, 0x83, 0x60, 0x80, 60, 0, 0x83, 0x60, 0xFF, 0x2F, 0x00}}), 1.0},
      {"empty", {}, std::nullopt},
      {"header cut short", {'M', 'T', 'h', 'd', 0, 0}, std::nullopt},
      {"not a MIDI file", {'R', 'I', 'F', 'F', 0, 0, 0, 6, 0, 1, 0, 1, 1, 0xE0}, std::nullopt},
      {"track cut short", truncated, std::nullopt},
      {"data before any status", Smf(1, 480, {With({0x00, 60, 100})}), std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(MidiPlayingSeconds(c.file), c.seconds) << c.name;
  EXPECT_FALSE(MidiFilePlayingSeconds("/nonexistent/piece.mid"));
}

}  // namespace
}  // namespace moriva
