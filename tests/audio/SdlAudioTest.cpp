#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <cstdint>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "platform/SdlAudioDevices.h"
#include "platform/SdlMidiDevice.h"
#include "platform/SdlWavPlayer.h"
#include "support/TempFolder.h"

namespace moriva {
using test::TempFolder;

namespace {

constexpr int kWaitLimitMs = 5000;
// The suite runs headless: named here as well as in the test environment.
constexpr const char* kDummyDriver = "dummy";

// One note of about `ms` milliseconds at 120 beats a minute, 480 ticks a beat.
std::vector<std::uint8_t> OneNoteMidi(int ms) {
  const int ticks = ms * 480 / 500;
  std::vector<std::uint8_t> track = {0x00, 0xC0, 0x00, 0x00, 0x90, 60, 100};
  // Variable-length delta of up to two bytes, enough for a few seconds.
  track.push_back(static_cast<std::uint8_t>(0x80 | ((ticks >> 7) & 0x7F)));
  track.push_back(static_cast<std::uint8_t>(ticks & 0x7F));
  for (std::uint8_t b : {0x80, 60, 0, 0x00, 0xFF, 0x2F, 0x00}) track.push_back(b);
  std::vector<std::uint8_t> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0, 'M', 'T', 'r', 'k', 0, 0, 0};
  file.push_back(static_cast<std::uint8_t>(track.size()));
  for (std::uint8_t b : track) file.push_back(b);
  return file;
}

// A 16-bit mono tone of `ms` milliseconds.
std::vector<std::uint8_t> ToneWav(int ms) {
  const std::uint32_t rate = 22050, samples = rate * static_cast<std::uint32_t>(ms) / 1000, bytes = samples * 2;
  std::vector<std::uint8_t> file;
  auto put = [&](std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i) file.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  };
  file.insert(file.end(), {'R', 'I', 'F', 'F'});
  put(36 + bytes, 4);
  file.insert(file.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  put(16, 4), put(1, 2), put(1, 2), put(rate, 4), put(rate * 2, 4), put(2, 2), put(16, 2);
  file.insert(file.end(), {'d', 'a', 't', 'a'});
  put(bytes, 4);
  for (std::uint32_t i = 0; i < samples; ++i) put((i / 25) % 2 ? 0x1000 : 0xF000, 2);
  return file;
}

std::string Write(const TempFolder& folder, const std::string& name, const std::vector<std::uint8_t>& bytes) {
  const std::string path = folder.path() + "/" + name;
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
  return path;
}

// Processes window events, as the frame loop does, until `done` holds or `ms` have passed.
bool PumpUntil(const std::function<bool()>& done, int ms = kWaitLimitMs) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < ms) {
    QCoreApplication::processEvents();
    if (done()) return true;
    QThread::msleep(5);
  }
  return done();
}

void StartPiece(MidiDevice& device, const std::string& file) {
  device.SetCommand("Close");
  device.SetShareable(false);
  device.SetDeviceType("sequencer");
  device.SetFileName(file);
  device.SetCommand("open");
  device.SetCommand("Play");
  device.SetNotify(true);
}

class SdlMusicTest : public ::testing::Test {
 protected:
  void SetUp() override {
    devices = OpenAudioDevices(kGeneralMidiSoundFont, kDummyDriver);
    ASSERT_TRUE(devices.musicAudible) << "the dummy driver and the SoundFont are expected here";
    devices.midi->SetDoneHandler([this](std::int16_t code) {
      codes.push_back(code);
      onWindowThread = onWindowThread && QThread::currentThread() == QCoreApplication::instance()->thread();
    });
    shortPiece = Write(folder, "short.mid", OneNoteMidi(300));
  }
  TempFolder folder;
  AudioDevices devices;
  std::vector<std::int16_t> codes;
  bool onWindowThread = true;
  std::string shortPiece;
};

TEST_F(SdlMusicTest, PieceEndsWithCodeOneDeliveredOnTheWindowThread) {
  StartPiece(*devices.midi, shortPiece);
  bool ringing = false;
  devices.midi->SetDoneHandler([&](std::int16_t code) {
    codes.push_back(code);
    onWindowThread = QThread::currentThread() == QCoreApplication::instance()->thread();
    ringing = static_cast<SdlMidiDevice&>(*devices.midi).IsStreamSounding();
  });
  // The report waits for event processing: nothing arrives from the audio thread directly.
  QThread::msleep(600);
  EXPECT_TRUE(codes.empty());
  ASSERT_TRUE(PumpUntil([&] { return !codes.empty(); }));
  EXPECT_EQ(codes, std::vector<std::int16_t>{1});
  EXPECT_TRUE(onWindowThread);
  EXPECT_TRUE(ringing) << "the music's own end comes before the synthesizer's release tail";
  PumpUntil([] { return false; }, 2500);
  EXPECT_EQ(codes.size(), 1u) << "one play, one completion, also once the last notes have died away";
}

TEST_F(SdlMusicTest, ClosingOrReplacingAPieceNeverCompletesIt) {
  const std::string longPiece = Write(folder, "long.mid", OneNoteMidi(2000));
  StartPiece(*devices.midi, longPiece);
  PumpUntil([] { return false; }, 200);
  devices.midi->SetCommand("Close");
  PumpUntil([] { return false; }, 300);
  StartPiece(*devices.midi, longPiece);
  PumpUntil([] { return false; }, 200);
  StartPiece(*devices.midi, shortPiece);  // the long one is ended by the new piece
  ASSERT_TRUE(PumpUntil([&] { return !codes.empty(); }));
  PumpUntil([] { return false; }, 300);
  EXPECT_EQ(codes, std::vector<std::int16_t>{1});
}

TEST_F(SdlMusicTest, MissingOrBrokenFilesNeverCompleteAndLeaveTheDeviceWorking) {
  StartPiece(*devices.midi, folder.path() + "/absent.mid");
  EXPECT_FALSE(static_cast<SdlMidiDevice&>(*devices.midi).IsOpen());
  PumpUntil([] { return false; }, 300);
  EXPECT_TRUE(codes.empty());
  StartPiece(*devices.midi, Write(folder, "broken.mid", {'M', 'T', 'h', 'd', 0, 0, 0, 6}));
  PumpUntil([] { return false; }, 300);  // a broken piece ends at once
  codes.clear();
  StartPiece(*devices.midi, shortPiece);  // the device still works afterwards
  EXPECT_TRUE(PumpUntil([&] { return !codes.empty(); }));
  EXPECT_EQ(codes, std::vector<std::int16_t>{1});
}

class SdlEffectTest : public ::testing::Test {
 protected:
  void SetUp() override {
    devices = OpenAudioDevices(kGeneralMidiSoundFont, kDummyDriver);
    ASSERT_TRUE(devices.effectsAudible);
    player = static_cast<SdlWavPlayer*>(devices.wav.get());
    first = Write(folder, "first.wav", ToneWav(1500));
    second = Write(folder, "second.wav", ToneWav(1500));
    player->Preload(first);
    player->Preload(second);
  }
  TempFolder folder;
  AudioDevices devices;
  SdlWavPlayer* player = nullptr;
  std::string first, second;
};

TEST_F(SdlEffectTest, SecondEffectCutsOffTheFirstUnlessAskedNotToAndNothingIsReadAgain) {
  EXPECT_TRUE(player->sndPlaySoundA(first, SoundFlags::kAsync));
  EXPECT_FALSE(player->sndPlaySoundA(second, SoundFlags::kAsync | SoundFlags::kNoStop));
  EXPECT_EQ(player->SoundingFile(), first);
  EXPECT_TRUE(player->sndPlaySoundA(second, SoundFlags::kAsync));
  EXPECT_EQ(player->SoundingFile(), second);
  EXPECT_EQ(player->FilesRead(), 2);
}

TEST_F(SdlEffectTest, MissingFileIsSilentAndReadOnlyOnce) {
  const std::string absent = folder.path() + "/absent.wav";
  player->Preload(absent);
  player->sndPlaySoundA(first, SoundFlags::kAsync);
  EXPECT_FALSE(player->sndPlaySoundA(absent, SoundFlags::kAsync));
  EXPECT_FALSE(player->sndPlaySoundA(absent, SoundFlags::kAsync));
  EXPECT_EQ(player->FilesRead(), 3);
  EXPECT_EQ(player->SoundingFile(), first) << "a failed request leaves the sounding effect alone";
}

TEST(SdlAudioFallback, NoDeviceSilencesEverythingNoSoundFontOnlyTheMusic) {
  {
    AudioDevices devices = OpenAudioDevices(kGeneralMidiSoundFont, "no-such-driver");
    EXPECT_FALSE(devices.musicAudible);
    EXPECT_FALSE(devices.effectsAudible);
    ASSERT_TRUE(devices.midi && devices.wav);
    StartPiece(*devices.midi, "/nowhere/qz2.mid");
    devices.wav->sndPlaySoundA("/nowhere/click5.wav", SoundFlags::kAsync);
    devices.midi->SetCommand("Close");
  }
  TempFolder folder;
  AudioDevices noFont = OpenAudioDevices(folder.path() + "/absent.sf2", kDummyDriver);
  EXPECT_FALSE(noFont.musicAudible);
  EXPECT_TRUE(noFont.effectsAudible);
}

}  // namespace
}  // namespace moriva
