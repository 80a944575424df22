#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace moriva::mml {

inline constexpr std::uint32_t kTicksPerBeat = 480;

// One channel message or meta event at a tick; note-offs sort before note-ons at one tick.
struct TrackEvent {
  std::uint32_t tick = 0;
  std::vector<std::uint8_t> bytes;  // status and data, or FF type length data for metas
};

struct ScoreTrack {
  std::string name;
  int channel = 0;  // 0..15
  std::vector<TrackEvent> events;
  std::uint32_t endTick = 0;
  int notes = 0;
};

// A compiled piece: the conductor (tempo, meter, title) and the instrument tracks, all of
// one length, so that the end of the piece is its loop point.
struct Score {
  std::string title;
  int meterBeats = 4;
  int meterUnit = 4;
  std::vector<TrackEvent> conductor;
  std::vector<ScoreTrack> tracks;
  std::uint32_t endTick = 0;
  double seconds = 0;
};

}  // namespace moriva::mml
