#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>

#include "platform/MidiDeviceLength.h"

namespace moriva {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Read(const std::string& name) {
  std::ifstream in(std::string(MORIVA_RUNTIME_DIR) + "/" + name, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::uint32_t Big(const Bytes& d, std::size_t at, int n) {
  std::uint32_t v = 0;
  for (int i = 0; i < n; ++i) v = (v << 8) | d.at(at + static_cast<std::size_t>(i));
  return v;
}

std::uint32_t Little(const Bytes& d, std::size_t at, int n) {
  std::uint32_t v = 0;
  for (int i = n - 1; i >= 0; --i) v = (v << 8) | d.at(at + static_cast<std::size_t>(i));
  return v;
}

struct TrackSummary {
  std::uint32_t endTick = 0;
  int noteOns = 0;
  std::set<int> programs;
  bool endsWithEndOfTrack = false;
};

// Walks one MTrk body independently of the player's own reader.
TrackSummary Walk(const Bytes& d, std::size_t at, std::size_t end) {
  TrackSummary t;
  std::uint8_t running = 0;
  auto varLen = [&] {
    std::uint32_t v = 0;
    std::uint8_t b = 0;
    do {
      b = d.at(at++);
      v = (v << 7) | (b & 0x7F);
    } while (b & 0x80);
    return v;
  };
  while (at < end) {
    t.endTick += varLen();
    std::uint8_t status = d.at(at);
    if (status & 0x80) {
      ++at;
      if (status < 0xF0) running = status;
    } else {
      status = running;
    }
    if (status == 0xFF) {
      const std::uint8_t type = d.at(at++);
      const std::uint32_t length = varLen();
      at += length;
      if (type == 0x2F) {
        t.endsWithEndOfTrack = at == end;
        break;
      }
    } else if (status == 0xF0 || status == 0xF7) {
      at += varLen();
    } else {
      const std::uint8_t kind = status & 0xF0;
      if (kind == 0xC0) t.programs.insert(d.at(at));
      if (kind == 0x90 && d.at(at + 1) > 0) ++t.noteOns;
      at += (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
    }
  }
  return t;
}

struct PieceLimits {
  const char* file;
  double minSeconds, maxSeconds;
};

class MusicFile : public ::testing::TestWithParam<PieceLimits> {};

TEST_P(MusicFile, ParsesAsMultiTrackSmfOfTheRightLengthEndingTogether) {
  const PieceLimits piece = GetParam();
  const Bytes d = Read(piece.file);
  ASSERT_GE(d.size(), 22u) << piece.file << " missing next to the program";
  ASSERT_EQ(std::string(d.begin(), d.begin() + 4), "MThd");
  ASSERT_EQ(Big(d, 4, 4), 6u);
  EXPECT_EQ(Big(d, 8, 2), 1u) << "format 1";
  const std::uint32_t tracks = Big(d, 10, 2);
  EXPECT_GT(Big(d, 12, 2) & 0x7FFFu, 0u);

  std::vector<TrackSummary> summaries;
  std::size_t at = 14;
  while (at + 8 <= d.size()) {
    ASSERT_EQ(std::string(d.begin() + static_cast<std::ptrdiff_t>(at), d.begin() + static_cast<std::ptrdiff_t>(at) + 4), "MTrk");
    const std::uint32_t length = Big(d, at + 4, 4);
    ASSERT_LE(at + 8 + length, d.size());
    summaries.push_back(Walk(d, at + 8, at + 8 + length));
    at += 8 + length;
  }
  EXPECT_EQ(at, d.size()) << "nothing after the last track";
  ASSERT_EQ(summaries.size(), tracks);

  int voices = 0;
  for (const TrackSummary& t : summaries) {
    EXPECT_TRUE(t.endsWithEndOfTrack);
    // Every track ends on the same tick: that is the loop point.
    EXPECT_EQ(t.endTick, summaries.front().endTick);
    if (t.noteOns > 0) {
      ++voices;
      EXPECT_FALSE(t.programs.empty()) << "each sounding track names its instrument";
    }
  }
  EXPECT_GE(voices, 3) << "melody, harmony and bass";

  const std::optional<double> seconds = MidiPlayingSeconds(d);
  ASSERT_TRUE(seconds);
  EXPECT_GE(*seconds, piece.minSeconds);
  EXPECT_LE(*seconds, piece.maxSeconds);
}

INSTANTIATE_TEST_SUITE_P(Pieces, MusicFile,
                         ::testing::Values(PieceLimits{"qz2.mid", 30, 60}, PieceLimits{"qz3.mid", 60, 120},
                                           PieceLimits{"sky02.mid", 60, 120}, PieceLimits{"org5.mid", 60, 120}));

class EffectFile : public ::testing::TestWithParam<const char*> {};

TEST_P(EffectFile, Is16BitPcmOfTheRightLengthAndLevelWithQuietEdges) {
  const Bytes d = Read(GetParam());
  ASSERT_GE(d.size(), 44u) << GetParam() << " missing next to the program";
  ASSERT_EQ(std::string(d.begin(), d.begin() + 4), "RIFF");
  EXPECT_EQ(Little(d, 4, 4), d.size() - 8);
  ASSERT_EQ(std::string(d.begin() + 8, d.begin() + 12), "WAVE");

  std::size_t at = 12, data = 0, dataBytes = 0;
  std::uint32_t rate = 0, channels = 0, bits = 0, format = 0;
  while (at + 8 <= d.size()) {
    const std::string id(d.begin() + static_cast<std::ptrdiff_t>(at), d.begin() + static_cast<std::ptrdiff_t>(at) + 4);
    const std::uint32_t size = Little(d, at + 4, 4);
    if (id == "fmt ") {
      format = Little(d, at + 8, 2);
      channels = Little(d, at + 10, 2);
      rate = Little(d, at + 12, 4);
      bits = Little(d, at + 22, 2);
    } else if (id == "data") {
      data = at + 8;
      dataBytes = size;
    }
    at += 8 + size + (size & 1);
  }
  EXPECT_EQ(format, 1u);
  EXPECT_EQ(bits, 16u);
  EXPECT_THAT(rate, ::testing::AnyOf(44100u, 22050u));
  ASSERT_GE(channels, 1u);
  ASSERT_GT(data, 0u);
  ASSERT_LE(data + dataBytes, d.size());

  const std::size_t frames = dataBytes / (2 * channels);
  const double seconds = static_cast<double>(frames) / rate;
  EXPECT_GE(seconds, 0.05);
  EXPECT_LE(seconds, 2.5);

  auto sample = [&](std::size_t i) { return static_cast<std::int16_t>(Little(d, data + 2 * i, 2)); };
  const std::size_t samples = dataBytes / 2;
  // No click: the sound starts from silence and rises over more than a quarter millisecond
  // (a sharp attack is allowed, a step is not), and the last millisecond has died away.
  constexpr int kSilence = 328;    // 1% of full scale
  constexpr int kFirstRise = 3277;  // 10% of full scale
  EXPECT_LE(std::abs(sample(0)), kSilence);
  for (std::size_t i = 0; i < rate / 4000 * channels; ++i) EXPECT_LE(std::abs(sample(i)), kFirstRise) << "sample " << i;
  for (std::size_t i = 0; i < rate / 1000 * channels; ++i) {
    EXPECT_LE(std::abs(sample(samples - 1 - i)), kSilence) << "sample " << i << " from the end";
  }
}

INSTANTIATE_TEST_SUITE_P(Effects, EffectFile,
                         ::testing::Values("click5.wav", "jump2.wav", "dull3.wav", "sprash.wav", "sjump2.wav",
                                           "key1.wav", "burn2.wav", "gusa.wav", "ss6.wav", "fall1.wav",
                                           "clear5.wav", "ss21.wav", "sy18.wav", "rope.wav"));

}  // namespace
}  // namespace moriva
