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

const std::vector<std::string> kRestart = {"Command=Prev", "From=0", "Command=Play"};

class BGMTest : public ::testing::Test {
 protected:
  BGMTest() : bgm("/game") {
    bgm.InitBGM(device);
    for (const char* name : {"qz2.mid", "qz3.mid", "sky02.mid", "org5.mid"}) bgm.AddBGM(name);
    device.SetDoneHandler([this](std::int16_t code) { bgm.BGMDone(code); });
  }
  RecordingMidiDevice device;
  clsBGM bgm;
};

TEST(BGMSetup, StartsOffAndInitSwitchesMusicOn) {
  clsBGM bgm("/game");
  EXPECT_FALSE(bgm.MusicOn());
  EXPECT_EQ(bgm.CurrentBGM(), 0);
  RecordingMidiDevice device;
  bgm.InitBGM(device);
  EXPECT_TRUE(bgm.MusicOn());
  EXPECT_THAT(device.calls, IsEmpty());
}

TEST(BGMSetup, FolderWithOrWithoutSeparatorGivesTheSamePaths) {
  clsBGM plain("/opt/moriva");
  clsBGM trailing("/opt/moriva/");
  clsBGM empty("");
  for (clsBGM* b : {&plain, &trailing, &empty}) b->AddBGM("qz2.mid");
  EXPECT_THAT(plain.MusicFiles(), ElementsAre("/opt/moriva/qz2.mid"));
  EXPECT_EQ(trailing.MusicFiles(), plain.MusicFiles());
  EXPECT_THAT(empty.MusicFiles(), ElementsAre("/qz2.mid"));
}

TEST_F(BGMTest, PlayRunsTheSevenDeviceStepsInOrder) {
  bgm.BGMPlay(1, true);
  EXPECT_EQ(device.calls, OpenSequence("/game/qz2.mid"));
  EXPECT_EQ(bgm.CurrentBGM(), 1);
  EXPECT_FALSE(bgm.LoopMusic());
}

TEST_F(BGMTest, TheSamePieceTwiceIsIgnoredButTakesTheNewLoopSetting) {
  bgm.BGMPlay(2, false);
  device.calls.clear();
  bgm.BGMPlay(2, true);
  EXPECT_THAT(device.calls, IsEmpty());
  EXPECT_FALSE(bgm.LoopMusic());
  device.Complete(1);
  EXPECT_THAT(device.calls, IsEmpty());  // the loop setting of the ignored call holds
}

TEST_F(BGMTest, SwitchingThreeToTwoClosesAndOpensTheOtherFile) {
  bgm.BGMPlay(3, false);
  device.calls.clear();
  bgm.BGMPlay(2, false);
  EXPECT_EQ(device.calls, OpenSequence("/game/qz3.mid"));
  EXPECT_EQ(bgm.CurrentBGM(), 2);
}

TEST_F(BGMTest, NonLoopingPieceEndsAndStaysSilent) {
  bgm.BGMPlay(1, true);
  device.calls.clear();
  device.Complete(1);
  EXPECT_THAT(device.calls, IsEmpty());
  EXPECT_EQ(bgm.CurrentBGM(), 1);
}

TEST_F(BGMTest, LoopingPieceRestartsFromPositionZeroEveryTime) {
  bgm.BGMPlay(2, false);
  device.calls.clear();
  device.Complete(1);
  EXPECT_EQ(device.calls, kRestart);
  device.Complete(1);
  EXPECT_EQ(device.calls.size(), 2 * kRestart.size());
  EXPECT_EQ(bgm.CurrentBGM(), 2);
}

TEST_F(BGMTest, CompletionCodesOtherThanOneNeverRestart) {
  bgm.BGMPlay(2, false);
  device.calls.clear();
  for (std::int16_t code : {0, 2, 4, 8, -1}) device.Complete(code);
  EXPECT_THAT(device.calls, IsEmpty());
}

TEST_F(BGMTest, MusicOffClosesOnEveryPlayAndOpensNothing) {
  bgm.BGMOnOff(false);
  bgm.BGMPlay(1, true);
  bgm.BGMPlay(2, false);
  EXPECT_THAT(device.calls, ElementsAre("Command=Close", "Command=Close"));
  EXPECT_EQ(bgm.CurrentBGM(), 0);
  EXPECT_TRUE(bgm.LoopMusic());
}

TEST_F(BGMTest, StopKeepsTheCurrentNumberSoTheSamePieceIsNotReopened) {
  bgm.BGMPlay(3, false);
  device.calls.clear();
  bgm.BGMStop();
  EXPECT_THAT(device.calls, ElementsAre("Command=Close"));
  EXPECT_EQ(bgm.CurrentBGM(), 3);
  bgm.BGMPlay(3, false);
  EXPECT_THAT(device.calls, ElementsAre("Command=Close"));
  bgm.BGMPlay(4, true);
  EXPECT_EQ(device.calls.size(), 1 + OpenSequence("").size());
}

TEST_F(BGMTest, QuitClosesTheDevice) {
  bgm.BGMPlay(1, true);
  device.calls.clear();
  bgm.QuitBGM();
  EXPECT_THAT(device.calls, ElementsAre("Command=Close"));
}

TEST_F(BGMTest, NumbersOutsideTheListLeaveThePlayingPieceAlone) {
  bgm.BGMPlay(2, false);
  device.calls.clear();
  bgm.BGMPlay(0, false);
  bgm.BGMPlay(5, false);
  bgm.BGMPlay(-3, false);
  EXPECT_THAT(device.calls, IsEmpty());
  EXPECT_EQ(bgm.CurrentBGM(), 2);
}

TEST(BGMWithoutDevice, CallsBeforeInitAreHarmless) {
  clsBGM bgm("/game");
  bgm.AddBGM("qz2.mid");
  bgm.BGMPlay(1, true);
  bgm.BGMStop();
  bgm.BGMDone(1);
  bgm.QuitBGM();
  EXPECT_EQ(bgm.CurrentBGM(), 0);
}

}  // namespace
}  // namespace moriva
