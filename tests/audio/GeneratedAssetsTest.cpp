// The music and effects the build places next to the program.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <ranges>
#include <span>
#include <tuple>

#include "Effect.h"
#include "platform/MidiDeviceLength.h"

namespace moriva {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Read(const std::string& name) {
  std::ifstream in(std::string(MORIVA_RUNTIME_DIR) + "/" + name, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// n bytes at `at`, most significant first (MIDI) or last (WAV).
std::uint32_t Number(const Bytes& d, std::size_t at, int n, bool bigEndian) {
  std::uint32_t v = 0;
  for (int i = 0; i < n; ++i) v = (v << 8) | d.at(at + static_cast<std::size_t>(bigEndian ? i : n - 1 - i));
  return v;
}

std::string Tag(const Bytes& d, std::size_t at) { return std::string(d.begin() + at, d.begin() + at + 4); }

double Peak(std::span<const double> s) {
  return std::ranges::max(s | std::views::transform([](double v) { return std::abs(v); }));
}

// That every track ends on the loop point is the compiler's rule; here: the build made the
// piece, with a conductor track and at least melody, harmony and bass, of its length.
TEST(GeneratedMusic, EachPieceIsAFormatOneFileOfItsLengthWithThreeVoices) {
  const std::tuple<const char*, double, double> pieces[] = {
      {"qz2.mid", 30, 60}, {"qz3.mid", 60, 120}, {"sky02.mid", 60, 120}, {"org5.mid", 60, 120}};  // seconds
  for (const auto& [file, least, most] : pieces) {
    SCOPED_TRACE(file);
    const Bytes d = Read(file);
    ASSERT_GE(d.size(), 14u) << "missing next to the program";
    EXPECT_EQ(Tag(d, 0), "MThd");
    EXPECT_EQ(Number(d, 8, 2, true), 1u) << "format 1";
    EXPECT_GE(Number(d, 10, 2, true), 4u) << "tracks";
    const double seconds = MidiPlayingSeconds(d).value_or(0);
    EXPECT_TRUE(seconds >= least && seconds <= most) << seconds << " s";
  }
}

// No click: the sound starts from silence and rises over more than a quarter millisecond (a
// sharp attack is allowed, a step is not), and the last millisecond has died away. The loudest
// 100 ms sit within 3 dB of -14 dBFS, and no sample passes -1 dBFS.
TEST(GeneratedEffects, EachIsMonoPcmOfItsLengthAndLoudnessWithQuietEdges) {
  for (const char* name : {"click5", "jump2", "dull3", "sprash", "sjump2", "key1", "burn2", "gusa", "ss6", "fall1",
                           "clear5", "ss21", "sy18", "rope"}) {
    SCOPED_TRACE(name);
    const Bytes d = Read(std::string(name) + ".wav");
    ASSERT_GE(d.size(), 44u) << "missing next to the program";
    ASSERT_EQ(Tag(d, 0) + Tag(d, 8) + Tag(d, 36), "RIFFWAVEdata");
    ASSERT_EQ(std::tuple(Number(d, 4, 4, false), Number(d, 20, 2, false), Number(d, 22, 2, false), Number(d, 34, 2, false)),
              std::tuple(std::uint32_t(d.size() - 8), 1u, 1u, 16u)) << "RIFF size, PCM, mono, 16 bits";
    const std::uint32_t rate = Number(d, 24, 4, false);
    EXPECT_TRUE(rate == 44100 || rate == 22050) << rate;
    std::vector<double> s;
    for (std::size_t at = 44; at + 1 < 44 + Number(d, 40, 4, false) && at + 1 < d.size(); at += 2)
      s.push_back(static_cast<std::int16_t>(Number(d, at, 2, false)) / 32768.0);
    ASSERT_GE(s.size(), rate / 20);
    EXPECT_LE(s.size(), rate * 5 / 2);
    EXPECT_LE(std::abs(s[0]), 0.01) << "silence, 1 % of full scale";
    EXPECT_LE(Peak(std::span(s).first(rate / 4000)), 0.1) << "the first quarter millisecond";
    EXPECT_LE(Peak(std::span(s).last(rate / 1000)), 0.01) << "the last millisecond";
    EXPECT_NEAR(20 * std::log10(sfx::LoudestRms(s, static_cast<int>(rate), 0.1)), -14.0, 3.0);
    EXPECT_LE(20 * std::log10(Peak(s)), -1.0 + 0.01);
  }
}

}  // namespace
}  // namespace moriva
