#include "platform/MidiDeviceLength.h"

#include <gtest/gtest.h>

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

TEST(MidiLength, DefaultTempoAndRunningStatus) {
  // Two beats at 120 a minute: note on, then a note on with velocity 0 in running status.
  const Bytes track = With({0x00, 0x90, 60, 100, 0x87, 0x40, 60, 0});
  EXPECT_DOUBLE_EQ(*MidiPlayingSeconds(Smf(1, 480, {track})), 1.0);
}

TEST(MidiLength, TempoMapOfTheFirstTrackGovernsTheLongestTrack) {
  // 60 a minute for the first beat, then 120: beats 1 s + 0.5 s + 0.5 s.
  const Bytes tempo = With({0x00, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40, 0x83, 0x60, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20});
  const Bytes notes = With({0x00, 0xC0, 0x05, 0x00, 0x90, 64, 90, 0x8B, 0x20, 0x80, 64, 0});
  EXPECT_DOUBLE_EQ(*MidiPlayingSeconds(Smf(2, 480, {tempo, notes})), 2.0);
}

TEST(MidiLength, RestBeforeTheEndOfTrackCounts) {
  const Bytes track = {0x00, 0x90, 60, 100, 0x83, 0x60, 0x80, 60, 0, 0x83, 0x60, 0xFF, 0x2F, 0x00};
  EXPECT_DOUBLE_EQ(*MidiPlayingSeconds(Smf(1, 480, {track})), 1.0);
}

TEST(MidiLength, UnreadableDataHasNoLength) {
  EXPECT_FALSE(MidiPlayingSeconds({}));
  EXPECT_FALSE(MidiPlayingSeconds({'M', 'T', 'h', 'd', 0, 0}));
  EXPECT_FALSE(MidiPlayingSeconds({'R', 'I', 'F', 'F', 0, 0, 0, 6, 0, 1, 0, 1, 1, 0xE0}));
  Bytes truncated = Smf(1, 480, {With({0x00, 0x90, 60, 100})});
  truncated.resize(truncated.size() - 6);
  EXPECT_FALSE(MidiPlayingSeconds(truncated));
  EXPECT_FALSE(MidiPlayingSeconds(Smf(1, 480, {With({0x00, 60, 100})}))) << "data before any status";
  EXPECT_FALSE(MidiFilePlayingSeconds("/nonexistent/piece.mid"));
}

}  // namespace
}  // namespace moriva
