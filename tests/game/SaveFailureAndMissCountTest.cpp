#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <limits>

#include "game/GameTables.h"
#include "platform/KeyCodes.h"
#include "support/GameFixture.h"

namespace moriva {
namespace {

TEST(FailedSave, SoundsNothingSetsNoLatchForgetsTheKeysAndCanBeTriedAgain) {
  test::GameFixture f;
  f.st().HaveItem[kItemDiary] = 1;
  std::filesystem::create_directory(f.game().savePath());  // a folder where the file goes
  f.host().onFrameBegins = [&](long n) {
    if (n == 2) f.game().KeyDown(vk::kS), f.game().KeyDown(vk::kRight);
  };
  bool heldAfterTheBox = true;
  f.host().onFrameEnded = [&](long n) {
    if (n != 2) return;
    heldAfterTheBox = f.st().KeyState[vk::kRight] != 0 || f.st().KeyState[vk::kS] != 0;
    std::filesystem::remove(f.game().savePath());
  };
  f.PlayFrames(3);
  EXPECT_EQ(f.host().errors.size(), 1u);
  EXPECT_EQ(f.host().effects, std::vector<int>{effect::kClick}) << "only the title's click";
  EXPECT_EQ(f.st().SavedInBlock, 0);
  EXPECT_FALSE(heldAfterTheBox) << "keys released while the message was up stay released";

  f.host().onFrameEnded = nullptr;  // the same block, once the file can be written
  f.host().onFrameBegins = [&](long n) {
    if (n == 2) f.game().KeyDown(vk::kS);
  };
  f.PlayFrames(3);
  EXPECT_EQ(std::ranges::count(f.host().notes, GameEvent::SaveGame, &std::pair<GameEvent, int>::first), 1);
  EXPECT_EQ(f.st().SavedInBlock, 1);
}

TEST(MissCount, AMissAtTheTopOfTheRangeStaysThere) {
  constexpr std::int32_t kTop = std::numeric_limits<std::int32_t>::max();
  const std::pair<std::int32_t, std::int32_t> cases[] = {{0, 1}, {kTop - 1, kTop}, {kTop, kTop}};
  for (const auto& [before, after] : cases) {
    test::GameFixture f;
    f.host().onFrameBegins = [&](long n) {
      if (n != 1) return;
      f.st().MissCount[2][4] = before;  // as a loaded save may hold it
      f.st().HeroState = hero::kBurnt;
      f.st().Countdown = 3;
    };
    f.PlayFrames(4);
    EXPECT_EQ(f.st().MissCount[2][4], after) << "from " << before;
  }
}

}  // namespace
}  // namespace moriva
