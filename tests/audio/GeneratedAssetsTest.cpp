// The music and effects the build places next to the program.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

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

struct Piece {
  const char* file;
  double minSeconds, maxSeconds;
};

class MusicFile : public ::testing::TestWithParam<Piece> {};

// That every track ends on the loop point is the compiler's rule; here: the build made the
// piece, with a conductor track and at least melody, harmony and bass, of its length.
TEST_P(MusicFile, IsAFormatOneFileOfTheRightLengthWithThreeVoices) {
  const Piece piece = GetParam();
  const Bytes d = Read(piece.file);
  ASSERT_GE(d.size(), 14u) << piece.file << " missing next to the program";
  ASSERT_EQ(std::string(d.begin(), d.begin() + 4), "MThd");
  EXPECT_EQ(Number(d, 8, 2, true), 1u) << "format 1";
  EXPECT_GE(Number(d, 10, 2, true), 4u);
  const std::optional<double> seconds = MidiPlayingSeconds(d);
  ASSERT_TRUE(seconds);
  EXPECT_GE(*seconds, piece.minSeconds);
  EXPECT_LE(*seconds, piece.maxSeconds);
}

INSTANTIATE_TEST_SUITE_P(Pieces, MusicFile,
                         ::testing::Values(Piece{"qz2.mid", 30, 60}, Piece{"qz3.mid", 60, 120},
                                           Piece{"sky02.mid", 60, 120}, Piece{"org5.mid", 60, 120}),
                         [](const auto& p) { return std::string(p.param.file).substr(0, std::string(p.param.file).find('.')); });

constexpr double kTargetDb = -14.0;  // the effects' loudest 100 ms
constexpr double kEvenDb = 3.0;      // how far an effect may sit from it
constexpr double kCeilingDb = -1.0;
constexpr double kSilence = 0.01;    // of full scale
constexpr double kFirstRise = 0.1;

class EffectFile : public ::testing::TestWithParam<const char*> {};

// No click: the sound starts from silence and rises over more than a quarter millisecond (a
// sharp attack is allowed, a step is not), and the last millisecond has died away.
TEST_P(EffectFile, IsMonoPcmOfTheRightLengthAndLoudnessWithQuietEdges) {
  const Bytes d = Read(std::string(GetParam()) + ".wav");
  ASSERT_GE(d.size(), 44u) << GetParam() << " missing next to the program";
  ASSERT_EQ(std::string(d.begin(), d.begin() + 4), "RIFF");
  EXPECT_EQ(Number(d, 4, 4, false), d.size() - 8);
  ASSERT_EQ(std::string(d.begin() + 36, d.begin() + 40), "data");
  EXPECT_EQ(Number(d, 20, 2, false), 1u) << "PCM";
  EXPECT_EQ(Number(d, 34, 2, false), 16u) << "bits a sample";
  ASSERT_EQ(Number(d, 22, 2, false), 1u) << "mono";
  const std::uint32_t rate = Number(d, 24, 4, false);
  EXPECT_THAT(rate, ::testing::AnyOf(44100u, 22050u));
  std::vector<double> s;
  double peak = 0;
  for (std::size_t at = 44; at + 1 < 44 + Number(d, 40, 4, false) && at + 1 < d.size(); at += 2) {
    s.push_back(static_cast<std::int16_t>(Number(d, at, 2, false)) / 32768.0);
    peak = std::max(peak, std::abs(s.back()));
  }
  EXPECT_GE(s.size(), rate / 20);
  EXPECT_LE(s.size(), rate * 5 / 2);
  EXPECT_LE(std::abs(s[0]), kSilence);
  for (std::size_t i = 0; i < rate / 4000; ++i) EXPECT_LE(std::abs(s[i]), kFirstRise) << "sample " << i;
  for (std::size_t i = 0; i < rate / 1000; ++i) EXPECT_LE(std::abs(s[s.size() - 1 - i]), kSilence) << i << " from the end";
  EXPECT_NEAR(20 * std::log10(sfx::LoudestRms(s, static_cast<int>(rate), 0.1)), kTargetDb, kEvenDb);
  EXPECT_LE(20 * std::log10(peak), kCeilingDb + 0.01);
}

INSTANTIATE_TEST_SUITE_P(Effects, EffectFile,
                         ::testing::Values("click5", "jump2", "dull3", "sprash", "sjump2", "key1", "burn2", "gusa",
                                           "ss6", "fall1", "clear5", "ss21", "sy18", "rope"),
                         [](const ::testing::TestParamInfo<const char*>& p) { return std::string(p.param); });

}  // namespace
}  // namespace moriva
