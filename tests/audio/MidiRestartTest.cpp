// The music device on the dummy driver, heard through the mixer's output: every open and
// every "Prev", From 0, "Play" must sound like the piece's fresh start.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <cmath>
#include <fstream>
#include <functional>
#include <mutex>
#include <vector>

#include "platform/SdlAudioDevices.h"
#include "platform/SdlAudioSession.h"
#include "support/TempFolder.h"

namespace moriva {
namespace {

constexpr int kRate = SdlAudioSession::kSampleRate;
constexpr int kChannels = 2;
constexpr int kWindowMs = 50;
constexpr int kHeardMs = 600;
constexpr double kSilentDb = -60.0;
constexpr double kSameLevelDb = 1.5;

// A note from 0 to 400 ms, a rest until 1500 ms, a higher note to 1900 ms, the end at
// 2000 ms: a play that goes on from the middle starts in the rest.
std::vector<std::uint8_t> NoteRestNoteMidi() {
  const auto ticks = [](int ms) { return ms * 480 / 500; };  // 480 ticks a beat at 120 a minute
  std::vector<std::uint8_t> track = {0x00, 0xC0, 0x00};
  auto event = [&](int delta, std::initializer_list<std::uint8_t> bytes) {
    track.push_back(static_cast<std::uint8_t>(0x80 | ((delta >> 7) & 0x7F)));
    track.push_back(static_cast<std::uint8_t>(delta & 0x7F));
    track.insert(track.end(), bytes);
  };
  event(0, {0x90, 60, 110});
  event(ticks(400), {0x80, 60, 0});
  event(ticks(1100), {0x90, 67, 110});
  event(ticks(400), {0x80, 67, 0});
  event(ticks(100), {0xFF, 0x2F, 0x00});
  std::vector<std::uint8_t> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0, 'M', 'T', 'r', 'k', 0, 0, 0};
  file.push_back(static_cast<std::uint8_t>(track.size()));
  file.insert(file.end(), track.begin(), track.end());
  return file;
}

std::string Write(const test::TempFolder& folder, const std::string& name, const std::vector<std::uint8_t>& bytes) {
  const std::string path = folder.path() + "/" + name;
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
  return path;
}

void Pump(int ms) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < ms) {
    QCoreApplication::processEvents();
    QThread::msleep(5);
  }
}

// Records the mixer's output while armed.
class Recorder {
 public:
  explicit Recorder(SdlAudioSession& session) : session_(session) {
    session_.SetOutputTap([this](const std::int16_t* samples, int count) {
      std::lock_guard lock(mutex_);
      if (armed_) heard_.insert(heard_.end(), samples, samples + count);
    });
  }
  ~Recorder() { session_.SetOutputTap({}); }

  void Arm() {
    std::lock_guard lock(mutex_);
    heard_.clear();
    armed_ = true;
  }
  // The level of each window from the first sound on, in dB below full scale.
  std::vector<double> Envelope() {
    std::lock_guard lock(mutex_);
    armed_ = false;
    std::size_t start = 0;
    while (start < heard_.size() && heard_[start] == 0) ++start;
    start -= start % kChannels;
    const std::size_t window = kRate * kWindowMs / 1000 * kChannels;
    std::vector<double> levels;
    for (std::size_t at = start; at + window <= heard_.size() && levels.size() < kHeardMs / kWindowMs; at += window) {
      double sum = 0;
      for (std::size_t i = at; i < at + window; ++i) sum += double(heard_[i]) * heard_[i];
      const double rms = std::sqrt(sum / double(window)) / 32768.0;
      levels.push_back(rms > 0 ? 20 * std::log10(rms) : -120.0);
    }
    return levels;
  }

 private:
  SdlAudioSession& session_;
  std::mutex mutex_;
  bool armed_ = false;
  std::vector<std::int16_t> heard_;
};

class MidiRestartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    devices = OpenAudioDevices(kGeneralMidiSoundFont, "dummy");
    ASSERT_TRUE(devices.musicAudible) << "the dummy driver and the SoundFont are expected here";
    session = SdlAudioSession::Open("dummy");
    recorder = std::make_unique<Recorder>(*session);
    piece = Write(folder, "piece.mid", NoteRestNoteMidi());
    other = Write(folder, "other.mid", NoteRestNoteMidi());
  }
  void Open(const std::string& file) {
    MidiDevice& midi = *devices.midi;
    midi.SetCommand("Close");
    midi.SetShareable(false);
    midi.SetDeviceType("sequencer");
    midi.SetFileName(file);
    midi.SetCommand("open");
  }
  // Plays from the current position of the open piece and returns what was heard.
  std::vector<double> PlayAndHear() {
    recorder->Arm();
    devices.midi->SetCommand("Play");
    Pump(kHeardMs + 300);
    return recorder->Envelope();
  }

  test::TempFolder folder;
  AudioDevices devices;
  std::shared_ptr<SdlAudioSession> session;
  std::unique_ptr<Recorder> recorder;
  std::string piece, other;
};

void ExpectSameStart(const std::vector<double>& fresh, const std::vector<double>& again, const char* how) {
  ASSERT_EQ(fresh.size(), std::size_t{kHeardMs / kWindowMs});
  ASSERT_EQ(again.size(), fresh.size()) << how;
  for (std::size_t i = 0; i < fresh.size(); ++i) {
    if (fresh[i] < kSilentDb && again[i] < kSilentDb) continue;
    EXPECT_NEAR(again[i], fresh[i], kSameLevelDb) << how << ", window from " << i * kWindowMs << " ms";
  }
}

TEST_F(MidiRestartTest, ReopenAndPrevPlayStartFromTheBeginning) {
  Open(piece);
  const std::vector<double> fresh = PlayAndHear();
  ASSERT_FALSE(fresh.empty());
  EXPECT_GT(fresh[0], kSilentDb) << "the piece begins with a note";

  // Into the rest, another piece, then the first one opened again.
  Pump(300);
  Open(other);
  devices.midi->SetCommand("Play");
  Pump(300);
  Open(piece);
  ExpectSameStart(fresh, PlayAndHear(), "reopened after another piece");

  // Into the rest again, then back to the top as a loop does.
  Pump(300);
  devices.midi->SetCommand("Prev");
  devices.midi->SetFrom(0);
  ExpectSameStart(fresh, PlayAndHear(), "Prev, From 0, Play");
}

}  // namespace
}  // namespace moriva
