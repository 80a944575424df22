#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "audio/Sound.h"
#include "audio/clsBGM.h"
#include "game/GameAudio.h"
#include "platform/MidiDevice.h"
#include "platform/WavPlayer.h"
#include "ui/SoundSwitches.h"

namespace moriva {
namespace {

class SoundSwitchesTest : public testing::Test {
 protected:
  SoundSwitchesTest() : bgm("/game"), se(wav, "/game"), switches(bgm, se) {
    RegisterGameAudio(bgm, midi, se);
  }
  // The file the device was last asked to open.
  std::string OpenedFile() const {
    auto it = std::find_if(midi.calls.rbegin(), midi.calls.rend(),
                           [](const std::string& c) { return c.rfind("FileName=", 0) == 0; });
    return it == midi.calls.rend() ? "" : it->substr(9);
  }
  RecordingMidiDevice midi;
  RecordingWavPlayer wav;
  clsBGM bgm;
  Sound se;
  SoundSwitches switches;
};

TEST_F(SoundSwitchesTest, MusicOffClosesTheDeviceAndOnPlaysTheLastRequestAgainUnlessTheGameStoppedIt) {
  switches.PlayMusic(2, false);
  switches.SetMusic(false);
  EXPECT_FALSE(bgm.MusicOn());
  EXPECT_EQ(midi.calls.back(), "Command=Close");
  switches.PlayMusic(3, false);  // the hero changed areas while the music was off
  midi.calls.clear();
  switches.SetMusic(true);
  EXPECT_EQ(OpenedFile(), "/game/sky02.mid");
  EXPECT_TRUE(bgm.LoopMusic());
  EXPECT_EQ(bgm.CurrentBGM(), 3);

  switches.SetMusic(false);
  switches.StopMusic();  // the ending begins: music on again stays silent
  midi.calls.clear();
  switches.SetMusic(true);
  EXPECT_EQ(OpenedFile(), "");
}

TEST_F(SoundSwitchesTest, EffectsOffSilencesRequestsAndStopsTheSoundingOne) {
  switches.ToggleEffects();
  EXPECT_FALSE(se.SoundOn);
  ASSERT_FALSE(wav.calls.empty());
  EXPECT_EQ(wav.calls.back().file, "");  // stop
  wav.calls.clear();
  se.PlayAsync(1, 0, 1, 0);
  EXPECT_TRUE(wav.calls.empty());
  switches.ToggleEffects();
  se.PlayAsync(1, 0, 1, 0);
  EXPECT_EQ(wav.calls.size(), 1u);
}

TEST_F(SoundSwitchesTest, TheNoteSaysWhichIsOff) {
  struct Case {
    bool music, effects;
    const char* note;
  } const cases[] = {{true, true, ""}, {false, true, "BGM オフ"}, {true, false, "効果音 オフ"}, {false, false, "BGM・効果音 オフ"}};
  for (const Case& c : cases) {
    switches.SetMusic(c.music);
    switches.SetEffects(c.effects);
    EXPECT_STREQ(switches.Note(), c.note) << c.music << c.effects;
  }
}

}  // namespace
}  // namespace moriva
