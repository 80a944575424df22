// The music device on the dummy driver, heard through the mixer's output: every open and
// every "Prev", From 0, "Play" must sound like the piece's fresh start.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <cmath>
#include <fstream>
#include <mutex>
#include <vector>

#include "platform/SdlAudioDevices.h"
#include "platform/SdlAudioSession.h"
#include "support/TempFolder.h"

namespace moriva {
namespace {

constexpr int kWindowMs = 50;
constexpr int kHeardMs = 600;
constexpr double kSilentDb = -60.0;

// 480 ticks a beat at 120 a minute: a note to 400 ms, a rest to 1500 ms, a higher note to
// 1900 ms, the end at 2000 ms. A play that goes on from the middle starts in the rest.
constexpr unsigned char kNoteRestNote[] = {
    'M',  'T',  'h',  'd',  0,    0,    0,    6,    0,    0,    0,    1,    0x01, 0xE0, 'M',  'T',  'r',  'k',
    0,    0,    0,    28,   0x00, 0xC0, 0x00, 0x80, 0x00, 0x90, 60,   110,  0x83, 0x00, 0x80, 60,   0,    0x88,
    0x20, 0x90, 67,   110,  0x83, 0x00, 0x80, 67,   0,    0x80, 0x60, 0xFF, 0x2F, 0x00};

void Pump(int ms) {
  QElapsedTimer timer;
  for (timer.start(); timer.elapsed() < ms; QThread::msleep(5)) QCoreApplication::processEvents();
}

class MidiRestartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(devices.musicAudible) << "the dummy driver and the SoundFont are expected here";
    session->SetOutputTap([this](const std::int16_t* samples, int count) {
      std::lock_guard lock(mutex);
      heard.insert(heard.end(), samples, samples + count);
    });
    std::ofstream(piece, std::ios::binary).write(reinterpret_cast<const char*>(kNoteRestNote), sizeof kNoteRestNote);
    std::ofstream(other, std::ios::binary).write(reinterpret_cast<const char*>(kNoteRestNote), sizeof kNoteRestNote);
  }
  void TearDown() override { session->SetOutputTap({}); }
  void Open(const std::string& file) {
    devices.midi->SetCommand("Close");
    devices.midi->SetFileName(file);
    devices.midi->SetCommand("open");
  }
  // Plays from the current position and returns the level of each window from the first sound on.
  std::vector<double> PlayAndHear() {
    { std::lock_guard lock(mutex); heard.clear(); }
    devices.midi->SetCommand("Play");
    Pump(kHeardMs + 300);
    std::lock_guard lock(mutex);
    std::size_t at = std::ranges::find_if(heard, [](std::int16_t s) { return s != 0; }) - heard.begin();
    at -= at % 2;
    const std::size_t window = SdlAudioSession::kSampleRate * kWindowMs / 1000 * 2;
    std::vector<double> levels;
    for (; at + window <= heard.size() && levels.size() < kHeardMs / kWindowMs; at += window) {
      double sum = 0;
      for (std::size_t i = at; i < at + window; ++i) sum += double(heard[i]) * heard[i];
      levels.push_back(10 * std::log10(sum / double(window) / (32768.0 * 32768.0) + 1e-12));
    }
    return levels;
  }
  void ExpectSameStart(const std::vector<double>& fresh, const char* how) {
    const std::vector<double> again = PlayAndHear();
    ASSERT_EQ(again.size(), fresh.size()) << how;
    for (std::size_t i = 0; i < fresh.size(); ++i)
      if (fresh[i] > kSilentDb || again[i] > kSilentDb) {
        EXPECT_NEAR(again[i], fresh[i], 1.5) << how << ", window from " << i * kWindowMs << " ms";
      }
  }

  test::TempFolder folder;
  AudioDevices devices = OpenAudioDevices(kGeneralMidiSoundFont, "dummy");
  std::shared_ptr<SdlAudioSession> session = SdlAudioSession::Open("dummy");
  std::mutex mutex;
  std::vector<std::int16_t> heard;
  std::string piece = folder.path() + "/piece.mid", other = folder.path() + "/other.mid";
};

TEST_F(MidiRestartTest, ReopenAndPrevPlayStartFromTheBeginning) {
  Open(piece);
  const std::vector<double> fresh = PlayAndHear();
  ASSERT_EQ(fresh.size(), std::size_t{kHeardMs / kWindowMs});
  EXPECT_GT(fresh[0], kSilentDb) << "the piece begins with a note";

  Pump(300);  // into the rest, another piece, then the first one again
  Open(other);
  devices.midi->SetCommand("Play");
  Pump(300);
  Open(piece);
  ExpectSameStart(fresh, "reopened after another piece");

  Pump(300);  // into the rest again, then back to the top as a loop does
  devices.midi->SetCommand("Prev");
  devices.midi->SetFrom(0);
  ExpectSameStart(fresh, "Prev, From 0, Play");
}

}  // namespace
}  // namespace moriva
