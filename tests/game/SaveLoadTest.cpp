#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "game/GameTables.h"
#include "platform/KeyCodes.h"
#include "support/GameFixture.h"

namespace moriva {
namespace {

using test::GameFixture;

TEST(SaveLoad, MissingFileStartsANewGameSilently) {
  GameFixture f;
  f.mod().BlockX = f.mod().BlockY = 0;
  f.st().HaveItem[5] = 1;
  f.st().ItemVisible[5] = true;
  EXPECT_TRUE(f.game().LoadGame(0));
  EXPECT_EQ((std::tuple{f.mod().BlockX, f.mod().BlockY, f.st().ItemVisible[5]}), (std::tuple<std::int16_t, std::int16_t, bool>{2, 4, false}));
  EXPECT_TRUE(f.host().errors.empty());
  EXPECT_FALSE(std::filesystem::exists(f.game().savePath()));
}

TEST(SaveLoad, LoadRestoresTheSavedBlockAtItsEntryPointAndTheIcons) {
  GameFixture f;
  GameState& s = f.st();
  f.mod().BlockX = 1;
  f.mod().BlockY = 3;
  s.HeroX = 300, s.HeroY = 500;
  f.game().EnterBlock();  // restart point (300, 500)
  s.HeroX = 900;          // walked on
  s.HaveItem[4] = s.HaveItem[6] = 1, s.SwitchOn = 0, s.MissCount[1][3] = 12;
  f.game().SaveGame();

  f.game().ResetGame();
  s.HaveItem[0] = 1, s.ItemVisible[0] = true;  // owned now, not in the save
  s.MissCount[1][3] = 0, s.HeroVX = 5, s.PrevState = 2;
  ASSERT_TRUE(f.game().LoadGame(0));
  EXPECT_EQ((std::tuple{f.mod().BlockX, f.mod().BlockY, s.HeroX, s.HeroY, s.HeroVX}),
            (std::tuple<std::int16_t, std::int16_t, float, float, float>{1, 3, 300, 500, 0}));
  EXPECT_EQ((std::tuple{s.SwitchOn, s.MissCount[1][3], s.PrevState, s.BlockColor[1][3]}),
            (std::tuple<std::int16_t, std::int32_t, std::int16_t, std::int32_t>{0, 12, 0, kColorCurrentBlock}));
  EXPECT_EQ((std::pair{s.ItemVisible[0], s.ItemVisible[4]}), (std::pair{false, true}));
}

// A folder where the save file goes: loading and saving fail, say so and change nothing;
// once the file can be written, the same block saves.
TEST(SaveLoad, AFileThatCannotBeReadOrWrittenIsReportedAndChangesNothing) {
  GameFixture f;
  std::filesystem::create_directory(f.game().savePath());
  f.mod().BlockX = 3;
  f.st().HaveItem[kItemDiary] = 1;
  EXPECT_FALSE(f.game().LoadGame(0));
  EXPECT_EQ((std::tuple{f.mod().BlockX, f.st().HaveItem[kItemDiary], f.host().errors.size()}),
            (std::tuple<std::int16_t, std::int16_t, std::size_t>{3, 1, 1}));

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
  EXPECT_EQ(f.host().errors.size(), 2u);
  EXPECT_EQ(f.host().effects, std::vector<int>{effect::kClick}) << "only the title's click";
  EXPECT_EQ(f.st().SavedInBlock, 0);
  EXPECT_FALSE(heldAfterTheBox) << "keys released while the message was up stay released";

  f.host().onFrameEnded = nullptr;
  f.host().onFrameBegins = [&](long n) {
    if (n == 2) f.game().KeyDown(vk::kS);
  };
  f.PlayFrames(3);
  EXPECT_EQ(std::ranges::count(f.host().notes, GameEvent::SaveGame, &std::pair<GameEvent, int>::first), 1);
  EXPECT_EQ(f.st().SavedInBlock, 1);
}

}  // namespace
}  // namespace moriva
