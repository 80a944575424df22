// The music device decodes on a worker and keeps spares only for the open piece: each
// decoded instance holds a synthesizer with the SoundFont's presets.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <fstream>
#include <functional>
#include <string>

#include "MmlCompiler.h"
#include "SmfWriter.h"
#include "platform/SdlAudioDevices.h"
#include "platform/SdlMidiDevice.h"
#include "support/TempFolder.h"

namespace moriva {
namespace {

bool PumpUntil(const std::function<bool()>& done, int ms = 10000) {
  QElapsedTimer timer;
  for (timer.start(); timer.elapsed() < ms; QThread::msleep(5)) {
    QCoreApplication::processEvents();
    if (done()) return true;
  }
  return done();
}

class SdlMidiDecodeTest : public ::testing::Test {
 protected:
  std::string Piece(const std::string& name) {
    const std::string path = folder.file(name);
    const auto bytes = mml::WriteSmf(mml::CompileMml("tempo 120\ntrack a\nc1 c1 c1\n"));
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    return path;
  }
  // As clsBGM starts a piece.
  void Start(const std::string& file) {
    midi().SetCommand("Close");
    midi().SetFileName(file);
    midi().SetCommand("open");
    midi().SetCommand("Play");
  }
  SdlMidiDevice& midi() { return static_cast<SdlMidiDevice&>(*devices.midi); }
  // Every decode under way has arrived: the open one and its spare.
  bool Settled() { return midi().IsPlaying() && midi().InstancesHeld() == kOpenAndSpare; }

  static constexpr int kOpenAndSpare = 2;
  test::TempFolder folder;
  AudioDevices devices = OpenAudioDevices(kGeneralMidiSoundFont, "dummy");
};

TEST_F(SdlMidiDecodeTest, OpeningReturnsBeforeTheDecodeAndThePieceStartsWhenItArrives) {
  ASSERT_TRUE(devices.musicAudible);
  Start(Piece("a.mid"));
  EXPECT_FALSE(midi().IsOpen()) << "the window thread does not wait for the decode";
  EXPECT_FALSE(midi().IsPlaying());
  EXPECT_TRUE(PumpUntil([&] { return Settled(); }));
}

TEST_F(SdlMidiDecodeTest, OnlyTheOpenPieceKeepsASpare) {
  ASSERT_TRUE(devices.musicAudible);
  const std::string pieces[] = {Piece("a.mid"), Piece("b.mid"), Piece("c.mid"), Piece("a2.mid")};
  for (const std::string& piece : pieces) {
    Start(piece);
    ASSERT_TRUE(PumpUntil([&] { return Settled(); })) << piece;
  }
  Start(pieces[1]);  // back to a piece whose spare was dropped: decoded again, and plays
  EXPECT_TRUE(PumpUntil([&] { return Settled(); }));
}

TEST_F(SdlMidiDecodeTest, APieceLeftBeforeItsDecodeArrivesNeverStarts) {
  ASSERT_TRUE(devices.musicAudible);
  const std::string first = Piece("a.mid"), second = Piece("b.mid");
  Start(first);
  midi().SetCommand("Close");
  QThread::msleep(100);
  EXPECT_TRUE(PumpUntil([&] { return midi().InstancesHeld() == 0; })) << "the late decode is dropped";
  EXPECT_FALSE(midi().IsStreamSounding());
  Start(first);
  Start(second);  // replaces the first while both decode
  midi().SetCommand("Prev");  // stopped by the player before it arrived: it must not start
  ASSERT_TRUE(PumpUntil([&] { return midi().IsOpen() && midi().InstancesHeld() == kOpenAndSpare; }));
  EXPECT_FALSE(midi().IsPlaying());
  EXPECT_FALSE(midi().IsStreamSounding());
}

}  // namespace
}  // namespace moriva
