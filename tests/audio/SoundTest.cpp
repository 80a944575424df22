#include "audio/Sound.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace moriva {
namespace {

using ::testing::ElementsAre;
using Call = RecordingWavPlayer::Call;

TEST(Sound, AddPreloadsAndTheFlagWordCombinesLoopNoStopAndAsyncOnlyWhileOnAndInTheList) {
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
  EXPECT_THAT(player.calls, ElementsAre(Call{"/game/jump2.wav", 0}, Call{"/game/click5.wav", 8}, Call{"/game/click5.wav", 16},
                                        Call{"/game/click5.wav", 1}, Call{"/game/click5.wav", 25}, Call{"", 0}));
}

}  // namespace
}  // namespace moriva
