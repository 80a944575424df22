// The devices over SDL_mixer on the dummy driver, heard through the mixer's output (each case
// plays in real time for a second or two), and the music and effects they play.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>
#include <mutex>
#include <ranges>
#include <span>
#include <tuple>

#include "Effect.h"
#include "MmlCompiler.h"
#include "SmfWriter.h"
#include "platform/MidiDeviceLength.h"
#include "platform/SdlAudioDevices.h"
#include "platform/SdlAudioSession.h"
#include "platform/SdlMidiDevice.h"
#include "platform/SdlWavPlayer.h"
#include "support/TempFolder.h"

namespace moriva {
namespace {

constexpr const char* kDummyDriver = "dummy";  // named here as well as in the test environment
constexpr int kWindowMs = 50, kHeardMs = 600;
constexpr double kSilentDb = -60.0;

// Processes window events, as the frame loop does, until `done` holds or `ms` have passed.
bool PumpUntil(const std::function<bool()>& done, int ms = 5000) {
  QElapsedTimer timer;
  for (timer.start(); timer.elapsed() < ms; QThread::msleep(5)) {
    QCoreApplication::processEvents();
    if (done()) return true;
  }
  return done();
}

void Pump(int ms) { PumpUntil([] { return false; }, ms); }

class SdlAudioTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(devices.musicAudible && devices.effectsAudible) << "the dummy driver and the SoundFont are expected";
    devices.midi->SetDoneHandler([this](std::int16_t code) {
      codes.push_back(code);
      onWindowThread = onWindowThread && QThread::currentThread() == QCoreApplication::instance()->thread();
      ringing = midi().IsStreamSounding();
    });
    session->SetOutputTap([this](const std::int16_t* samples, int count) {
      std::lock_guard lock(mutex);
      heard.insert(heard.end(), samples, samples + count);
    });
  }
  void TearDown() override { session->SetOutputTap({}); }

  std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const std::string path = folder.file(name);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::ssize(bytes));
    return path;
  }
  // A piece at 120 beats a minute: a quarter note lasts 500 ms.
  std::string Music(const std::string& name, const std::string& notes) {
    return Write(name, mml::WriteSmf(mml::CompileMml("tempo 120\ntrack a\n" + notes + "\n")));
  }
  // As clsBGM opens and plays a piece.
  void Open(const std::string& file) {
    devices.midi->SetCommand("Close");
    devices.midi->SetFileName(file);
    devices.midi->SetCommand("open");
  }
  void Start(const std::string& file) {
    Open(file);
    devices.midi->SetCommand("Play");
    devices.midi->SetNotify(true);
  }
  // Every decode under way has arrived: the open piece and its spare are all that is held.
  bool Settled() { return PumpUntil([this] { return midi().IsOpen() && midi().InstancesHeld() == 2; }, 10000); }
  SdlMidiDevice& midi() { return static_cast<SdlMidiDevice&>(*devices.midi); }
  SdlWavPlayer& wav() { return static_cast<SdlWavPlayer&>(*devices.wav); }

  // Plays from the current position and returns the level of each window from the first sound on.
  std::vector<double> PlayAndHear() {
    constexpr std::size_t kWindow = SdlAudioSession::kSampleRate * kWindowMs / 1000 * 2, kWindows = kHeardMs / kWindowMs;
    const auto firstSound = [this] { return std::ranges::find_if(heard, [](std::int16_t s) { return s != 0; }); };
    { std::lock_guard lock(mutex); heard.clear(); }
    devices.midi->SetCommand("Play");
    // Waits for the mixer, which may fall behind on a loaded machine.
    PumpUntil([&] {
      std::lock_guard lock(mutex);
      return std::size_t(heard.end() - firstSound()) > kWindow * kWindows + 1;
    });
    std::lock_guard lock(mutex);
    std::size_t at = firstSound() - heard.begin();
    std::vector<double> levels;
    for (at -= at % 2; at + kWindow <= heard.size() && levels.size() < kWindows; at += kWindow) {
      double sum = 0;
      for (std::size_t i = at; i < at + kWindow; ++i) sum += double(heard[i]) * heard[i];
      levels.push_back(10 * std::log10(sum / double(kWindow) / (32768.0 * 32768.0) + 1e-12));
    }
    return levels;
  }
  void ExpectSameStart(const std::vector<double>& fresh, const char* how) {
    const std::vector<double> again = PlayAndHear();
    ASSERT_EQ(again.size(), fresh.size()) << how;
    for (std::size_t i = 0; i < fresh.size(); ++i)
      EXPECT_TRUE(std::max(fresh[i], again[i]) <= kSilentDb || std::abs(again[i] - fresh[i]) <= 1.5)
          << how << ", " << i * kWindowMs << " ms: " << again[i] << " dB, fresh " << fresh[i];
  }

  test::TempFolder folder;
  AudioDevices devices = OpenAudioDevices(kGeneralMidiSoundFont, kDummyDriver);
  std::shared_ptr<SdlAudioSession> session = SdlAudioSession::Open(kDummyDriver);
  std::mutex mutex;
  std::vector<std::int16_t> heard, codes;
  bool onWindowThread = true, ringing = false;
};

// A closed, replaced, missing or broken piece never reports; the next one ends with code 1,
// on the window thread, before its last notes die away, and once.
TEST_F(SdlAudioTest, OnlyAPieceThatPlaysToItsEndCompletesOnceOnTheWindowThread) {
  const std::string longPiece = Music("long.mid", "c1 c1");
  Start(longPiece);
  Pump(200);
  devices.midi->SetCommand("Close");
  Pump(300);
  Start(folder.file("absent.mid"));
  EXPECT_FALSE(midi().IsOpen());
  Pump(300);
  EXPECT_TRUE(codes.empty());
  Start(Write("broken.mid", {'M', 'T', 'h', 'd', 0, 0, 0, 6}));
  Pump(300);  // a broken piece ends at once
  codes.clear();
  Start(longPiece);
  Pump(200);
  Start(Music("short.mid", "c8"));  // ends the long one; the device still works
  // The report waits for event processing: nothing arrives from the audio thread directly.
  QThread::msleep(600);
  EXPECT_TRUE(codes.empty());
  ASSERT_TRUE(PumpUntil([&] { return !codes.empty(); }));
  EXPECT_TRUE(onWindowThread);
  EXPECT_TRUE(ringing) << "the music's own end comes before the synthesizer's release tail";
  Pump(2500);
  EXPECT_EQ(codes, std::vector<std::int16_t>{1}) << "one play, one completion, also after the tail";
}

TEST_F(SdlAudioTest, ReopenAndPrevPlayStartFromTheBeginning) {
  // A note to 500 ms, a rest to 2000 ms: a play that goes on from the middle starts in the rest.
  const std::string piece = Music("piece.mid", "c4 r2. g4");
  Open(piece);
  const std::vector<double> fresh = PlayAndHear();
  ASSERT_EQ(fresh.size(), std::size_t{kHeardMs / kWindowMs});
  EXPECT_GT(fresh[0], kSilentDb) << "the piece begins with a note";
  Pump(500);  // into the rest, another piece, then the first one again
  Start(Music("other.mid", "c4 r2. g4"));
  Pump(300);
  Open(piece);
  ExpectSameStart(fresh, "reopened after another piece");
  Pump(500);  // into the rest again, then back to the top as a loop does
  devices.midi->SetCommand("Prev");
  devices.midi->SetFrom(0);
  ExpectSameStart(fresh, "Prev, From 0, Play");
}

// Each decoded instance holds a synthesizer with the SoundFont's presets: decodes run on a
// worker, side by side, and only the open piece keeps a spare.
TEST_F(SdlAudioTest, OpeningReturnsBeforeTheDecodeAndOnlyTheOpenPieceKeepsASpare) {
  for (const char* name : {"a.mid", "b.mid", "c.mid", "a.mid"}) {
    Start(Music(name, "c1 c1 c1"));
    EXPECT_FALSE(midi().IsOpen()) << name << ": the window thread does not wait for a decode";
    ASSERT_TRUE(Settled()) << name;
    EXPECT_TRUE(midi().IsPlaying()) << name << " starts when its decode arrives";
  }
  Start(Music("d.mid", "c1 c1 c1"));
  Start(Music("e.mid", "c1 c1 c1"));
  devices.midi->SetCommand("Prev");
  ASSERT_TRUE(Settled()) << "the first piece's late decode is dropped";
  EXPECT_FALSE(midi().IsPlaying()) << "a piece stopped or left before its decode arrives never starts";
  EXPECT_FALSE(midi().IsStreamSounding());
}

TEST_F(SdlAudioTest, SecondEffectCutsOffTheFirstUnlessAskedNotToAndFilesAreReadOnce) {
  // Two of the longest effects, 1.9 s and 1.6 s.
  const std::string first = MORIVA_RUNTIME_DIR "/fall1.wav", second = MORIVA_RUNTIME_DIR "/clear5.wav";
  const std::string absent = folder.file("absent.wav");
  for (const std::string& file : {first, second, absent}) wav().Preload(file);
  EXPECT_TRUE(wav().sndPlaySoundA(first, SoundFlags::kAsync));
  EXPECT_FALSE(wav().sndPlaySoundA(second, SoundFlags::kAsync | SoundFlags::kNoStop));
  EXPECT_FALSE(wav().sndPlaySoundA(absent, SoundFlags::kAsync));
  EXPECT_FALSE(wav().sndPlaySoundA(absent, SoundFlags::kAsync));
  EXPECT_EQ(wav().SoundingFile(), first) << "a refused or failed request leaves the sounding effect alone";
  EXPECT_TRUE(wav().sndPlaySoundA(second, SoundFlags::kAsync));
  EXPECT_EQ(wav().SoundingFile(), second);
  EXPECT_EQ(wav().FilesRead(), 3);
}

// The longest, steadiest effects over the area music, at the session's volumes: nothing the
// device is sent may reach full scale.
TEST_F(SdlAudioTest, EffectsOverTheAreaMusicStayBelowFullScale) {
  const std::string runtime = MORIVA_RUNTIME_DIR "/";
  Start(runtime + "qz3.mid");
  for (const char* effect : {"fall1", "clear5", "sjump2", "jump2", "jump2"}) {
    devices.wav->sndPlaySoundA(runtime + effect + ".wav", SoundFlags::kAsync);
    Pump(900);
  }
  devices.midi->SetCommand("Close");
  std::lock_guard lock(mutex);
  const int loudest = std::ranges::max(heard | std::views::transform([](std::int16_t s) { return std::abs(int(s)); }));
  EXPECT_GT(loudest, 0);
  EXPECT_LT(loudest, 32767) << "the sum of music and effect clipped";
}

TEST(SdlAudioFallback, NoDeviceSilencesEverythingNoSoundFontOnlyTheMusic) {
  {
    const AudioDevices none = OpenAudioDevices(kGeneralMidiSoundFont, "no-such-driver");
    EXPECT_TRUE(!none.musicAudible && !none.effectsAudible && none.midi && none.wav) << "silent stand-ins";
  }
  test::TempFolder folder;
  const AudioDevices noFont = OpenAudioDevices(folder.file("absent.sf2"), kDummyDriver);
  EXPECT_FALSE(noFont.musicAudible);
  EXPECT_TRUE(noFont.effectsAudible);
}

// The music and effects the build places next to the program.
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
