// The music device decodes on a worker and keeps a spare only for the open piece: each
// decoded instance holds a synthesizer with the SoundFont's presets.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <fstream>
#include <string>

#include "MmlCompiler.h"
#include "SmfWriter.h"
#include "platform/SdlAudioDevices.h"
#include "platform/SdlMidiDevice.h"
#include "support/TempFolder.h"

namespace moriva {
namespace {

constexpr int kOpenAndSpare = 2;

class SdlMidiDecodeTest : public ::testing::Test {
 protected:
  void Start(const std::string& name) {
    const std::string path = folder.file(name);
    const auto bytes = mml::WriteSmf(mml::CompileMml("tempo 120\ntrack a\nc1 c1 c1\n"));
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    midi().SetCommand("Close");
    midi().SetFileName(path);
    midi().SetCommand("open");
    midi().SetCommand("Play");
  }
  // Every decode under way has arrived: the open piece and its spare are all that is held.
  bool Settled() {
    QElapsedTimer timer;
    for (timer.start(); timer.elapsed() < 10000; QThread::msleep(5)) {
      QCoreApplication::processEvents();
      if (midi().IsOpen() && midi().InstancesHeld() == kOpenAndSpare) return true;
    }
    return false;
  }
  SdlMidiDevice& midi() { return static_cast<SdlMidiDevice&>(*devices.midi); }

  test::TempFolder folder;
  AudioDevices devices = OpenAudioDevices(kGeneralMidiSoundFont, "dummy");
};

TEST_F(SdlMidiDecodeTest, OpeningReturnsBeforeTheDecodeAndOnlyTheOpenPieceKeepsASpare) {
  ASSERT_TRUE(devices.musicAudible);
  for (const char* piece : {"a.mid", "b.mid", "c.mid", "a.mid"}) {
    Start(piece);
    EXPECT_FALSE(midi().IsOpen()) << piece << ": the window thread does not wait for a decode";
    ASSERT_TRUE(Settled()) << piece;
    EXPECT_TRUE(midi().IsPlaying()) << piece << " starts when its decode arrives";
  }
}

TEST_F(SdlMidiDecodeTest, APieceStoppedOrLeftBeforeItsDecodeArrivesNeverStarts) {
  ASSERT_TRUE(devices.musicAudible);
  Start("a.mid");
  Start("b.mid");
  midi().SetCommand("Prev");
  ASSERT_TRUE(Settled()) << "the first piece's late decode is dropped";
  EXPECT_FALSE(midi().IsPlaying());
  EXPECT_FALSE(midi().IsStreamSounding());
}

}  // namespace
}  // namespace moriva
