// How loud the effects are, alone and over the music, as the player hears them.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <cmath>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <vector>

#include "Effect.h"
#include "platform/SdlAudioDevices.h"
#include "platform/SdlAudioSession.h"

namespace moriva {
namespace {

constexpr double kTargetDb = -14.0;  // the effects' loudest 100 ms
constexpr double kEvenDb = 3.0;      // how far an effect may sit from it
constexpr double kCeilingDb = -1.0;
constexpr double kFullScale = 32768.0;

double Db(double fraction) { return 20 * std::log10(fraction); }

// The samples of a 16-bit PCM WAV file, as fractions of full scale.
std::vector<double> ReadWav(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<char> d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<double> samples;
  for (std::size_t at = 12; at + 8 <= d.size();) {
    const auto size = static_cast<std::size_t>(static_cast<std::uint8_t>(d[at + 4]) |
                                               static_cast<std::uint8_t>(d[at + 5]) << 8 |
                                               static_cast<std::uint8_t>(d[at + 6]) << 16);
    if (std::string(&d[at], 4) == "data") {
      for (std::size_t i = at + 8; i + 1 < at + 8 + size && i + 1 < d.size(); i += 2)
        samples.push_back(static_cast<std::int16_t>(static_cast<std::uint8_t>(d[i]) | d[i + 1] << 8) / kFullScale);
      break;
    }
    at += 8 + size + (size & 1);
  }
  return samples;
}

int RateOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  char header[28] = {};
  in.read(header, sizeof header);
  return static_cast<std::uint8_t>(header[24]) | static_cast<std::uint8_t>(header[25]) << 8;
}

struct LoudnessCase {
  const char* name;
  const char* text;
  double loudestDb;  // the loudest 100 ms after rendering
  double peakDb;     // the loudest sample
};
void PrintTo(const LoudnessCase& c, std::ostream* os) { *os << c.name; }

class RenderLoudnessTest : public ::testing::TestWithParam<LoudnessCase> {};

TEST_P(RenderLoudnessTest, ScaledToTheLoudnessUnderTheCeiling) {
  const std::vector<std::int16_t> out = sfx::RenderEffect(sfx::ParseEffect(GetParam().text));
  std::vector<double> samples;
  double peak = 0;
  for (std::int16_t s : out) {
    samples.push_back(s / kFullScale);
    peak = std::max(peak, std::abs(s / kFullScale));
  }
  EXPECT_NEAR(Db(sfx::LoudestRms(samples, 44100, 0.1)), GetParam().loudestDb, 0.2);
  EXPECT_NEAR(Db(peak), GetParam().peakDb, 0.2);
}

INSTANTIATE_TEST_SUITE_P(
    Sfx, RenderLoudnessTest,
    ::testing::Values(
        // A steady sine: RMS 3 dB under its peak, so the target decides.
        LoudnessCase{"SustainedToneTakesTheTarget", "length 1\nloudness -14\nvoice wave=sine dur=1 freq=500\n", -14.0,
                     -11.0},
        // A 2 ms blip measured over 100 ms would need a peak above full scale: the ceiling holds.
        LoudnessCase{"ShortBlipStopsAtTheCeiling",
                     "length 0.2\npeak -1\nloudness -14\nvoice wave=square start=0.05 dur=0.002 freq=1000 attack=0 "
                     "release=0\n",
                     -1.0 + 10 * std::log10(0.002 / 0.1), -1.0},
        LoudnessCase{"WithoutATargetThePeakDecides", "length 1\npeak -6\nvoice wave=sine dur=1 freq=500\n", -9.0,
                     -6.0}),
    [](const ::testing::TestParamInfo<LoudnessCase>& c) { return std::string(c.param.name); });

const char* const kEffects[] = {"click5", "jump2", "dull3", "sprash", "sjump2", "key1", "burn2",
                                "gusa",   "ss6",   "fall1", "clear5", "ss21",   "sy18", "rope"};

class EffectLevelTest : public ::testing::TestWithParam<const char*> {};

TEST_P(EffectLevelTest, LoudestTenthOfASecondSitsNearTheTarget) {
  const std::string path = std::string(MORIVA_RUNTIME_DIR) + "/" + GetParam() + ".wav";
  const std::vector<double> samples = ReadWav(path);
  ASSERT_FALSE(samples.empty()) << path;
  double peak = 0;
  for (double s : samples) peak = std::max(peak, std::abs(s));
  EXPECT_NEAR(Db(sfx::LoudestRms(samples, RateOf(path), 0.1)), kTargetDb, kEvenDb);
  EXPECT_LE(Db(peak), kCeilingDb + 0.01);
}

INSTANTIATE_TEST_SUITE_P(Generated, EffectLevelTest, ::testing::ValuesIn(kEffects),
                         [](const ::testing::TestParamInfo<const char*>& c) { return std::string(c.param); });

// The real mixer: the longest, steadiest effects over the area music, at the session's
// volumes. Nothing the device is sent may reach full scale.
TEST(MixedOutput, EffectsOverTheAreaMusicStayBelowFullScale) {
  AudioDevices devices = OpenAudioDevices(kGeneralMidiSoundFont, "dummy");
  ASSERT_TRUE(devices.musicAudible && devices.effectsAudible);
  std::shared_ptr<SdlAudioSession> session = SdlAudioSession::Open("dummy");
  std::mutex mutex;
  int loudest = 0;
  session->SetOutputTap([&](const std::int16_t* samples, int count) {
    std::lock_guard lock(mutex);
    for (int i = 0; i < count; ++i) loudest = std::max(loudest, std::abs(static_cast<int>(samples[i])));
  });
  MidiDevice& midi = *devices.midi;
  midi.SetFileName(std::string(MORIVA_RUNTIME_DIR) + "/qz3.mid");
  midi.SetCommand("open");
  midi.SetCommand("Play");
  for (const char* effect : {"fall1", "clear5", "sjump2", "jump2", "jump2"}) {
    devices.wav->sndPlaySoundA(std::string(MORIVA_RUNTIME_DIR) + "/" + effect + ".wav", SoundFlags::kAsync);
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 900) {
      QCoreApplication::processEvents();
      QThread::msleep(10);
    }
  }
  session->SetOutputTap({});
  midi.SetCommand("Close");
  EXPECT_GT(loudest, 0);
  EXPECT_LT(loudest, 32767) << "the sum of music and effect clipped";
}

}  // namespace
}  // namespace moriva
