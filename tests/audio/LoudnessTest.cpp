// How loud the effects are, alone and over the music, as the player hears them.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <QtEndian>
#include <cmath>
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

std::string Runtime(const std::string& name) { return std::string(MORIVA_RUNTIME_DIR) + "/" + name; }

class EffectLevelTest : public ::testing::TestWithParam<const char*> {};

TEST_P(EffectLevelTest, LoudestTenthOfASecondNearTheTargetPeakUnderTheCeiling) {
  QFile file(QString::fromStdString(Runtime(std::string(GetParam()) + ".wav")));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray d = file.readAll();
  const auto u32 = [&](qsizetype at) { return qFromLittleEndian<quint32>(d.constData() + at); };
  std::vector<double> samples;
  double peak = 0;
  for (qsizetype at = 12; at + 8 <= d.size(); at += 8 + u32(at + 4) + (u32(at + 4) & 1)) {
    if (d.mid(at, 4) != "data") continue;
    for (qsizetype i = at + 8; i + 1 < std::min<qsizetype>(d.size(), at + 8 + u32(at + 4)); i += 2) {
      samples.push_back(qFromLittleEndian<qint16>(d.constData() + i) / kFullScale);
      peak = std::max(peak, std::abs(samples.back()));
    }
    break;
  }
  ASSERT_FALSE(samples.empty());
  EXPECT_NEAR(20 * std::log10(sfx::LoudestRms(samples, static_cast<int>(u32(24)), 0.1)), kTargetDb, kEvenDb);
  EXPECT_LE(20 * std::log10(peak), kCeilingDb + 0.01);
}

INSTANTIATE_TEST_SUITE_P(Generated, EffectLevelTest,
                         ::testing::Values("click5", "jump2", "dull3", "sprash", "sjump2", "key1", "burn2", "gusa",
                                           "ss6", "fall1", "clear5", "ss21", "sy18", "rope"),
                         [](const ::testing::TestParamInfo<const char*>& p) { return std::string(p.param); });

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
  devices.midi->SetFileName(Runtime("qz3.mid"));
  devices.midi->SetCommand("open");
  devices.midi->SetCommand("Play");
  for (const char* effect : {"fall1", "clear5", "sjump2", "jump2", "jump2"}) {
    devices.wav->sndPlaySoundA(Runtime(std::string(effect) + ".wav"), SoundFlags::kAsync);
    QElapsedTimer timer;
    for (timer.start(); timer.elapsed() < 900; QThread::msleep(10)) QCoreApplication::processEvents();
  }
  session->SetOutputTap({});
  devices.midi->SetCommand("Close");
  EXPECT_GT(loudest, 0);
  EXPECT_LT(loudest, 32767) << "the sum of music and effect clipped";
}

}  // namespace
}  // namespace moriva
