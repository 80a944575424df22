#include "audio/clsBGM.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

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
  RecordingMidiDevice device;
  clsBGM bgm;
};

TEST_F(BGMTest, PlayOpensTheOtherPieceInSevenStepsAndIgnoresTheOneThatPlays) {
  bgm.BGMPlay(3, false);
  EXPECT_EQ(device.calls, OpenSequence("/game/sky02.mid"));
  device.calls.clear();
  bgm.BGMPlay(3, true);  // ignored, but its loop setting is taken
  EXPECT_THAT(device.calls, IsEmpty());
  bgm.BGMPlay(2, false);
  EXPECT_EQ(device.calls, OpenSequence("/game/qz3.mid"));
  EXPECT_EQ(bgm.CurrentBGM(), 2);
  device.calls.clear();
  for (std::int16_t n : {0, 5, -3}) bgm.BGMPlay(n, false);  // outside the list
  EXPECT_THAT(device.calls, IsEmpty());
  EXPECT_EQ(bgm.CurrentBGM(), 2);
}

TEST_F(BGMTest, OnlyALoopingPieceRestartsFromTheTopAndOnlyOnCodeOne) {
  bgm.BGMPlay(1, true);
  device.calls.clear();
  device.Complete(1);
  EXPECT_THAT(device.calls, IsEmpty());
  bgm.BGMPlay(2, false);
  device.calls.clear();
  for (std::int16_t code : {0, 2, 4, 8, -1}) device.Complete(code);
  EXPECT_THAT(device.calls, IsEmpty());
  device.Complete(1);
  device.Complete(1);
  EXPECT_THAT(device.calls, ElementsAre("Command=Prev", "From=0", "Command=Play", "Command=Prev", "From=0", "Command=Play"));
}

TEST_F(BGMTest, MusicOffStopAndQuitOnlyClose) {
  bgm.BGMPlay(3, false);
  device.calls.clear();
  bgm.BGMStop();
  bgm.BGMPlay(3, false);  // stopping keeps the number: not reopened
  bgm.QuitBGM();
  bgm.BGMOnOff(false);
  bgm.BGMPlay(1, true);
  EXPECT_THAT(device.calls, ElementsAre("Command=Close", "Command=Close", "Command=Close"));
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
