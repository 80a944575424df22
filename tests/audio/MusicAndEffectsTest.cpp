// The music manager and the effect player against the recording devices, and the playing
// time the music device reads from a MIDI file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <utility>

#include "audio/Sound.h"
#include "audio/clsBGM.h"
#include "platform/MidiDeviceLength.h"

namespace moriva {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::vector<std::string> OpenSequence(const std::string& file) {
  return {"Command=Close", "Shareable=false", "DeviceType=sequencer", "FileName=" + file,
          "Command=open",  "Command=Play",    "Notify=true"};
}

class BGMTest : public ::testing::Test {
 protected:
  BGMTest() : bgm("/game/") {
    bgm.InitBGM(device);
    for (const char* name : {"qz2.mid", "qz3.mid", "sky02.mid", "org5.mid"}) bgm.AddBGM(name);
    device.SetDoneHandler([this](std::int16_t code) { bgm.BGMDone(code); });
  }
  // What the device was told since the last look.
  std::vector<std::string> Told() { return std::exchange(device.calls, {}); }
  RecordingMidiDevice device;
  clsBGM bgm;
};

TEST_F(BGMTest, PlayOpensTheOtherPieceInSevenStepsAndIgnoresTheOneThatPlaysOrWasStopped) {
  bgm.BGMPlay(3, false);
  EXPECT_EQ(Told(), OpenSequence("/game/sky02.mid"));
  bgm.BGMPlay(3, true);  // ignored, but its loop setting is taken
  EXPECT_THAT(Told(), IsEmpty());
  bgm.BGMPlay(2, false);
  for (std::int16_t n : {0, 5, -3}) bgm.BGMPlay(n, false);  // outside the list
  EXPECT_EQ(Told(), OpenSequence("/game/qz3.mid"));
  bgm.BGMStop();
  bgm.BGMPlay(2, false);  // stopping keeps the number: not reopened
  bgm.QuitBGM();
  bgm.BGMOnOff(false);
  bgm.BGMPlay(1, true);
  EXPECT_THAT(Told(), ElementsAre("Command=Close", "Command=Close", "Command=Close")) << "stop, quit, music off";
  EXPECT_EQ(bgm.CurrentBGM(), 2);
}

TEST_F(BGMTest, OnlyALoopingPieceRestartsFromTheTopAndOnlyOnCodeOne) {
  bgm.BGMPlay(1, true);  // not to loop
  Told();
  device.Complete(1);
  EXPECT_THAT(Told(), IsEmpty());
  bgm.BGMPlay(2, false);
  Told();
  for (std::int16_t code : {0, 2, 4, 8, -1, 1, 1}) device.Complete(code);
  EXPECT_THAT(Told(), ElementsAre("Command=Prev", "From=0", "Command=Play", "Command=Prev", "From=0", "Command=Play"));
}

TEST(BGMWithoutDevice, CallsBeforeInitAreHarmless) {
  clsBGM bgm("");
  bgm.AddBGM("qz2.mid");
  EXPECT_THAT(bgm.MusicFiles(), ElementsAre("/qz2.mid"));
  bgm.BGMPlay(1, true);
  bgm.BGMDone(1);
  EXPECT_EQ(bgm.CurrentBGM(), 0);
}

TEST(Sound, AddPreloadsAndTheFlagWordCombinesLoopNoStopAndAsyncOnlyWhileOnAndInTheList) {
  using Call = RecordingWavPlayer::Call;
  RecordingWavPlayer player;
  Sound se(player, "/game");
  se.Add("click5.wav");
  se.Add("jump2.wav");
  EXPECT_THAT(player.preloaded, ElementsAre("/game/click5.wav", "/game/jump2.wav"));
  se.PlayAsync(1, 0, 1, 0);  // off
  se.SoundOn = true;
  for (std::int16_t n : {0, 3, -1}) se.PlayAsync(n, 0, 1, 0);
  se.PlayAsync(2);
  se.PlayAsync(1, 1, 0, 0);
  se.PlayAsync(1, 0, 0, 1);
  se.PlayAsync(1, 0, 1, 0);
  se.PlayAsync(1, -1, -1, -1);  // Boolean true still gives only the three flags
  se.StopSound();
  se.RemoveAll();
  se.PlayAsync(1, 0, 1, 0);
  EXPECT_THAT(player.calls, ElementsAre(Call{"/game/jump2.wav", 0}, Call{"/game/click5.wav", 8},
                                        Call{"/game/click5.wav", 16}, Call{"/game/click5.wav", 1},
                                        Call{"/game/click5.wav", 25}, Call{"", 0}));
}

using Bytes = std::vector<std::uint8_t>;

// A format 1 file of the given division with one track per body.
Bytes Smf(std::uint16_t division, const std::vector<Bytes>& bodies) {
  Bytes f = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, static_cast<std::uint8_t>(bodies.size()),
             static_cast<std::uint8_t>(division >> 8), static_cast<std::uint8_t>(division & 0xFF)};
  for (const Bytes& body : bodies) {
    const auto size = static_cast<std::uint16_t>(body.size());
    f.insert(f.end(), {'M', 'T', 'r', 'k', 0, 0, static_cast<std::uint8_t>(size >> 8), static_cast<std::uint8_t>(size)});
    f.insert(f.end(), body.begin(), body.end());
  }
  return f;
}

// The body closed by an end of track at once.
Bytes With(Bytes body) {
  body.insert(body.end(), {0x00, 0xFF, 0x2F, 0x00});
  return body;
}

TEST(MidiLength, PlayingSecondsOrNoneForUnreadableData) {
  // 60 a minute for the first beat, then 120.
  const Bytes tempo = With({0x00, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40, 0x83, 0x60, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20});
  Bytes truncated = Smf(480, {With({0x00, 0x90, 60, 100})});
  truncated.resize(truncated.size() - 6);
  const struct { const char* name; Bytes file; std::optional<double> seconds; } cases[] = {
      // Two beats at 120 a minute: note on, then a note on with velocity 0 in running status.
      {"default tempo, running status", Smf(480, {With({0x00, 0x90, 60, 100, 0x87, 0x40, 60, 0})}), 1.0},
      // Beats of 1 s + 0.5 s + 0.5 s.
      {"the first track's tempo map governs the longest track",
       Smf(480, {tempo, With({0x00, 0xC0, 0x05, 0x00, 0x90, 64, 90, 0x8B, 0x20, 0x80, 64, 0})}), 2.0},
      {"a rest before the end of track counts",
       Smf(480, {{0x00, 0x90, 60, 100, 0x83, 0x60, 0x80, 60, 0, 0x83, 0x60, 0xFF, 0x2F, 0x00}}), 1.0},
      {"empty", {}, std::nullopt},
      {"header cut short", {'M', 'T', 'h', 'd', 0, 0}, std::nullopt},
      {"not a MIDI file", {'R', 'I', 'F', 'F', 0, 0, 0, 6, 0, 1, 0, 1, 1, 0xE0}, std::nullopt},
      {"track cut short", truncated, std::nullopt},
      {"data before any status", Smf(480, {With({0x00, 60, 100})}), std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(MidiPlayingSeconds(c.file), c.seconds) << c.name;
  EXPECT_FALSE(MidiFilePlayingSeconds("/nonexistent/piece.mid"));
}

}  // namespace
}  // namespace moriva
