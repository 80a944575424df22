#include "platform/MidiDeviceLength.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>

namespace moriva {

namespace {

constexpr std::uint32_t kDefaultTempo = 500000;  // microseconds a beat until a tempo event
constexpr std::size_t kHeaderBytes = 14;
constexpr std::size_t kChunkHeadBytes = 8;
constexpr double kMicrosecondsPerSecond = 1e6;

class Reader {
 public:
  Reader(const std::vector<std::uint8_t>& data, std::size_t begin, std::size_t end)
      : data_(data), pos_(begin), end_(end) {}
  bool AtEnd() const { return pos_ >= end_; }
  bool Ok() const { return ok_; }
  std::uint8_t Byte() {
    if (pos_ >= end_) {
      ok_ = false;
      return 0;
    }
    return data_[pos_++];
  }
  std::uint32_t VarLen() {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
      const std::uint8_t b = Byte();
      value = (value << 7) | (b & 0x7Fu);
      if ((b & 0x80u) == 0) return value;
    }
    ok_ = false;
    return value;
  }
  void Skip(std::uint32_t n) {
    if (n > end_ - pos_) {
      ok_ = false;
      pos_ = end_;
    } else {
      pos_ += n;
    }
  }

 private:
  const std::vector<std::uint8_t>& data_;
  std::size_t pos_;
  std::size_t end_;
  bool ok_ = true;
};

std::uint32_t BigEndian(const std::vector<std::uint8_t>& d, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = 0; i < bytes; ++i) v = (v << 8) | d[at + static_cast<std::size_t>(i)];
  return v;
}

int DataBytes(std::uint8_t status) {
  const std::uint8_t kind = status & 0xF0u;
  return (kind == 0xC0u || kind == 0xD0u) ? 1 : 2;
}

// Walks one track; collects its tempo changes and returns its last tick.
bool ReadTrack(Reader& r, std::map<std::uint64_t, std::uint32_t>& tempos, std::uint64_t& lastTick) {
  std::uint64_t tick = 0;
  std::uint8_t running = 0;
  while (!r.AtEnd() && r.Ok()) {
    tick += r.VarLen();
    std::uint8_t status = r.Byte();
    if (status == 0xFF) {
      const std::uint8_t type = r.Byte();
      const std::uint32_t length = r.VarLen();
      if (type == 0x51 && length == 3) {
        std::uint32_t tempo = 0;
        for (int i = 0; i < 3; ++i) tempo = (tempo << 8) | r.Byte();
        if (tempo > 0) tempos[tick] = tempo;
      } else {
        r.Skip(length);
      }
      if (type == 0x2F) {
        // The end of the track counts: a rest before it is part of the piece.
        lastTick = std::max(lastTick, tick);
        break;
      }
    } else if (status == 0xF0 || status == 0xF7) {
      r.Skip(r.VarLen());
    } else {
      int data = 0;
      if (status & 0x80u) {
        running = status;
        data = DataBytes(status);
      } else {
        if (running == 0) return false;
        data = DataBytes(running) - 1;  // the byte read was already the first data byte
      }
      for (int i = 0; i < data; ++i) r.Byte();
    }
    lastTick = std::max(lastTick, tick);
  }
  return r.Ok();
}

}  // namespace

std::optional<double> MidiPlayingSeconds(const std::vector<std::uint8_t>& smf) {
  if (smf.size() < kHeaderBytes || !std::equal(smf.begin(), smf.begin() + 4, "MThd")) return std::nullopt;
  const std::uint32_t headerLength = BigEndian(smf, 4, 4);
  const std::uint32_t tracks = BigEndian(smf, 10, 2);
  const std::uint32_t division = BigEndian(smf, 12, 2);
  if (headerLength < 6 || division == 0 || tracks == 0) return std::nullopt;

  std::map<std::uint64_t, std::uint32_t> tempos;
  std::uint64_t lastTick = 0;
  std::size_t at = kChunkHeadBytes + headerLength;
  std::uint32_t found = 0;
  while (found < tracks && at + kChunkHeadBytes <= smf.size()) {
    const std::uint32_t length = BigEndian(smf, at + 4, 4);
    const std::size_t begin = at + kChunkHeadBytes;
    if (length > smf.size() - begin) return std::nullopt;
    if (std::equal(smf.begin() + static_cast<std::ptrdiff_t>(at), smf.begin() + static_cast<std::ptrdiff_t>(at) + 4,
                   "MTrk")) {
      Reader r(smf, begin, begin + length);
      if (!ReadTrack(r, tempos, lastTick)) return std::nullopt;
      ++found;
    }
    at = begin + length;
  }
  if (found == 0) return std::nullopt;

  if (division & 0x8000u) {  // frames a second and ticks a frame
    const int fps = -static_cast<std::int8_t>(division >> 8);
    const int perFrame = static_cast<int>(division & 0xFFu);
    if (fps <= 0 || perFrame == 0) return std::nullopt;
    return static_cast<double>(lastTick) / (fps * perFrame);
  }
  double microseconds = 0;
  std::uint64_t tick = 0;
  std::uint32_t tempo = kDefaultTempo;
  for (const auto& [at_tick, next] : tempos) {
    if (at_tick >= lastTick) break;
    microseconds += static_cast<double>(at_tick - tick) * tempo / division;
    tick = at_tick;
    tempo = next;
  }
  microseconds += static_cast<double>(lastTick - tick) * tempo / division;
  return microseconds / kMicrosecondsPerSecond;
}

std::optional<double> MidiFilePlayingSeconds(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return MidiPlayingSeconds(bytes);
}

}  // namespace moriva
