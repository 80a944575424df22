#include <gtest/gtest.h>

#include <filesystem>
#include <limits>

#include "game/GameTables.h"
#include "platform/KeyCodes.h"
#include "support/GameFixture.h"

namespace moriva {
namespace {

using test::GameFixture;

int Saves(const RecordingGameHost& h) {
  int n = 0;
  for (const auto& [event, arg] : h.notes) n += event == GameEvent::SaveGame;
  return n;
}

TEST(FailedSave, SoundsNothingSetsNoLatchForgetsTheKeysAndCanBeTriedAgain) {
  GameFixture f;
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

  // The same block, once the file can be written: the save goes through.
  f.host().onFrameEnded = nullptr;
  f.host().onFrameBegins = [&](long n) {
    if (n == 2) f.game().KeyDown(vk::kS);
  };
  f.PlayFrames(3);
  EXPECT_EQ(Saves(f.host()), 1);
  EXPECT_EQ(f.st().SavedInBlock, 1);
}

struct MissCase {
  const char* name;
  std::int32_t before;
  std::int32_t after;
};
void PrintTo(const MissCase& c, std::ostream* os) { *os << c.name; }

class MissCountTest : public ::testing::TestWithParam<MissCase> {};

TEST_P(MissCountTest, AMissCountsUpToTheTopOfTheRangeAndStaysThere) {
  GameFixture f;
  f.host().onFrameBegins = [&](long n) {
    if (n != 1) return;
    f.st().MissCount[2][4] = GetParam().before;  // as a loaded save may hold it
    f.st().HeroState = hero::kBurnt;
    f.st().Countdown = 3;
  };
  f.PlayFrames(4);
  EXPECT_EQ(f.st().MissCount[2][4], GetParam().after);
}

constexpr std::int32_t kTop = std::numeric_limits<std::int32_t>::max();
INSTANTIATE_TEST_SUITE_P(MissCount, MissCountTest,
                         ::testing::Values(MissCase{"FirstMiss", 0, 1}, MissCase{"OneBelowTheTop", kTop - 1, kTop},
                                           MissCase{"AtTheTop", kTop, kTop}),
                         [](const ::testing::TestParamInfo<MissCase>& c) { return std::string(c.param.name); });

}  // namespace
}  // namespace moriva
