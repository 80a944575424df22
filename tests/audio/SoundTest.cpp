#include "audio/Sound.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace moriva {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Call = RecordingWavPlayer::Call;

class SoundTest : public ::testing::Test {
 protected:
  SoundTest() : se(player, "/game") {
    se.Add("click5.wav");
    se.Add("jump2.wav");
  }
  RecordingWavPlayer player;
  Sound se;
};

TEST_F(SoundTest, OffUntilSwitchedOnAndThenSilentlyIgnored) {
  EXPECT_FALSE(se.SoundOn);
  se.PlayAsync(1, 0, 1, 0);
  EXPECT_THAT(player.calls, IsEmpty());
}

TEST_F(SoundTest, GameRequestIsAsynchronousAndCutsOffThePrevious) {
  se.SoundOn = true;
  se.PlayAsync(1, 0, 1, 0);
  se.PlayAsync(2, 0, 1, 0);
  EXPECT_THAT(player.calls, ElementsAre(Call{"/game/click5.wav", 1}, Call{"/game/jump2.wav", 1}));
}

TEST_F(SoundTest, FlagWordCombinesLoopNoStopAndAsync) {
  se.SoundOn = true;
  se.PlayAsync(1);
  se.PlayAsync(1, 1, 0, 0);
  se.PlayAsync(1, 0, 0, 1);
  se.PlayAsync(1, 1, 1, 1);
  se.PlayAsync(1, -1, -1, -1);  // Boolean true still gives only the three flags
  std::vector<std::uint32_t> flags;
  for (const Call& c : player.calls) flags.push_back(c.flags);
  EXPECT_THAT(flags, ElementsAre(0u, 8u, 16u, 25u, 25u));
}

TEST_F(SoundTest, StopSendsNoFileAndFlagsZero) {
  se.StopSound();
  EXPECT_THAT(player.calls, ElementsAre(Call{"", 0}));
}

TEST_F(SoundTest, AddPreloadsTheFullPathAndRemoveAllEmptiesTheList) {
  EXPECT_THAT(player.preloaded, ElementsAre("/game/click5.wav", "/game/jump2.wav"));
  se.RemoveAll();
  EXPECT_THAT(se.SoundFiles(), IsEmpty());
  se.SoundOn = true;
  se.PlayAsync(1, 0, 1, 0);
  EXPECT_THAT(player.calls, IsEmpty());
}

TEST_F(SoundTest, NumbersOutsideTheListPlayNothing) {
  se.SoundOn = true;
  for (std::int16_t n : {0, 3, -1}) se.PlayAsync(n, 0, 1, 0);
  EXPECT_THAT(player.calls, IsEmpty());
}

TEST(SoundFolder, WithAndWithoutTrailingSeparatorGiveTheSamePaths) {
  RecordingWavPlayer player;
  Sound plain(player, "/opt/moriva");
  Sound trailing(player, "/opt/moriva/");
  plain.Add("rope.wav");
  trailing.Add("rope.wav");
  EXPECT_THAT(plain.SoundFiles(), ElementsAre("/opt/moriva/rope.wav"));
  EXPECT_EQ(trailing.SoundFiles(), plain.SoundFiles());
}

}  // namespace
}  // namespace moriva
