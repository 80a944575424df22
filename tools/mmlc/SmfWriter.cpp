#include "SmfWriter.h"

#include <algorithm>
#include <string>

namespace moriva::mml {

namespace {

void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void PutVarLen(std::vector<std::uint8_t>& out, std::uint32_t value) {
  std::uint8_t groups[5];
  int n = 0;
  do {
    groups[n++] = static_cast<std::uint8_t>(value & 0x7F);
    value >>= 7;
  } while (value != 0);
  while (n > 1) out.push_back(static_cast<std::uint8_t>(groups[--n] | 0x80));
  out.push_back(groups[0]);
}

bool IsNoteOff(const TrackEvent& e) {
  const std::uint8_t kind = e.bytes[0] & 0xF0;
  return kind == 0x80 || (kind == 0x90 && e.bytes[2] == 0);
}

// Metas and controllers first, then note-offs, then note-ons: a repeated note is released
// before it sounds again, and a program is set before its first note.
int Rank(const TrackEvent& e) {
  if (IsNoteOff(e)) return 1;
  return (e.bytes[0] & 0xF0) == 0x90 ? 2 : 0;
}

std::vector<std::uint8_t> TrackChunk(std::vector<TrackEvent> events, std::uint32_t endTick) {
  std::stable_sort(events.begin(), events.end(), [](const TrackEvent& a, const TrackEvent& b) {
    return a.tick != b.tick ? a.tick < b.tick : Rank(a) < Rank(b);
  });
  std::vector<std::uint8_t> body;
  std::uint32_t now = 0;
  for (const TrackEvent& e : events) {
    PutVarLen(body, e.tick - now);
    now = e.tick;
    body.insert(body.end(), e.bytes.begin(), e.bytes.end());
  }
  PutVarLen(body, endTick - now);
  body.insert(body.end(), {0xFF, 0x2F, 0x00});

  std::vector<std::uint8_t> chunk = {'M', 'T', 'r', 'k'};
  PutBigEndian(chunk, static_cast<std::uint32_t>(body.size()), 4);
  chunk.insert(chunk.end(), body.begin(), body.end());
  return chunk;
}

}  // namespace

std::vector<std::uint8_t> WriteSmf(const Score& score) {
  std::vector<std::uint8_t> out = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
  PutBigEndian(out, static_cast<std::uint32_t>(score.tracks.size() + 1), 2);
  PutBigEndian(out, kTicksPerBeat, 2);
  const std::vector<std::uint8_t> conductor = TrackChunk(score.conductor, score.endTick);
  out.insert(out.end(), conductor.begin(), conductor.end());
  for (const ScoreTrack& track : score.tracks) {
    const std::vector<std::uint8_t> chunk = TrackChunk(track.events, score.endTick);
    out.insert(out.end(), chunk.begin(), chunk.end());
  }
  return out;
}

}  // namespace moriva::mml
