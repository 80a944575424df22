#include "audio/clsBGM.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <utility>

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

TEST_F(BGMTest, PlayOpensTheOtherPieceInSevenStepsAndIgnoresTheOneThatPlays) {
  bgm.BGMPlay(3, false);
  EXPECT_EQ(Told(), OpenSequence("/game/sky02.mid"));
  bgm.BGMPlay(3, true);  // ignored, but its loop setting is taken
  EXPECT_THAT(Told(), IsEmpty());
  bgm.BGMPlay(2, false);
  for (std::int16_t n : {0, 5, -3}) bgm.BGMPlay(n, false);  // outside the list
  EXPECT_EQ(Told(), OpenSequence("/game/qz3.mid"));
  EXPECT_EQ(bgm.CurrentBGM(), 2);
}

TEST_F(BGMTest, OnlyALoopingPieceRestartsFromTheTopAndOnlyOnCodeOne) {
  bgm.BGMPlay(1, true);
  Told();
  device.Complete(1);
  EXPECT_THAT(Told(), IsEmpty());
  bgm.BGMPlay(2, false);
  Told();
  for (std::int16_t code : {0, 2, 4, 8, -1, 1, 1}) device.Complete(code);
  EXPECT_THAT(Told(), ElementsAre("Command=Prev", "From=0", "Command=Play", "Command=Prev", "From=0", "Command=Play"));
}

TEST_F(BGMTest, MusicOffStopAndQuitOnlyClose) {
  bgm.BGMPlay(3, false);
  Told();
  bgm.BGMStop();
  bgm.BGMPlay(3, false);  // stopping keeps the number: not reopened
  bgm.QuitBGM();
  bgm.BGMOnOff(false);
  bgm.BGMPlay(1, true);
  EXPECT_THAT(Told(), ElementsAre("Command=Close", "Command=Close", "Command=Close"));
}

TEST(BGMWithoutDevice, CallsBeforeInitAreHarmlessAndInitSwitchesMusicOn) {
  clsBGM bgm("");
  bgm.AddBGM("qz2.mid");
  EXPECT_THAT(bgm.MusicFiles(), ElementsAre("/qz2.mid"));
  EXPECT_FALSE(bgm.MusicOn());
  bgm.BGMPlay(1, true);
  bgm.BGMDone(1);
  EXPECT_EQ(bgm.CurrentBGM(), 0);
  RecordingMidiDevice device;
  bgm.InitBGM(device);
  EXPECT_TRUE(bgm.MusicOn());
}

}  // namespace
}  // namespace moriva
