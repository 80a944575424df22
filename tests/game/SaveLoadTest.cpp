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
  f.mod().BlockX = 0;
  f.mod().BlockY = 0;
  f.st().HaveItem[5] = 1;
  f.st().ItemVisible[5] = true;
  EXPECT_TRUE(f.game().LoadGame(0));
  EXPECT_EQ(f.mod().BlockX, 2);
  EXPECT_EQ(f.mod().BlockY, 4);
  EXPECT_FALSE(f.st().ItemVisible[5]);
  EXPECT_TRUE(f.host().errors.empty());
  EXPECT_FALSE(std::filesystem::exists(f.game().savePath()));
}

TEST(SaveLoad, LoadRestoresTheSavedBlockAtItsEntryPointAndTheIcons) {
  GameFixture f;
  f.mod().BlockX = 1;
  f.mod().BlockY = 3;
  f.st().HeroX = 300;
  f.st().HeroY = 500;
  f.game().EnterBlock();     // restart point (300, 500)
  f.st().HeroX = 900;        // walked on
  f.st().HaveItem[4] = 1;
  f.st().HaveItem[6] = 1;
  f.st().SwitchOn = 0;
  f.st().MissCount[1][3] = 12;
  f.game().SaveGame();

  f.game().ResetGame();
  f.st().HaveItem[0] = 1;    // owned now, not in the save
  f.st().ItemVisible[0] = true;
  f.st().MissCount[1][3] = 0;
  f.st().HeroVX = 5;
  f.st().PrevState = 2;
  ASSERT_TRUE(f.game().LoadGame(0));
  EXPECT_EQ(f.mod().BlockX, 1);
  EXPECT_EQ(f.mod().BlockY, 3);
  EXPECT_EQ(f.st().HeroX, 300);
  EXPECT_EQ(f.st().HeroY, 500);
  EXPECT_EQ(f.st().SwitchOn, 0);
  EXPECT_EQ(f.st().MissCount[1][3], 12);
  EXPECT_EQ(f.st().HeroVX, 0);
  EXPECT_EQ(f.st().PrevState, 0);
  EXPECT_FALSE(f.st().ItemVisible[0]);
  EXPECT_TRUE(f.st().ItemVisible[4]);
  EXPECT_EQ(f.st().BlockColor[1][3], kColorCurrentBlock);
}

// A folder where the save file goes: loading and saving fail, say so and change nothing;
// once the file can be written, the same block saves.
TEST(SaveLoad, AFileThatCannotBeReadOrWrittenIsReportedAndChangesNothing) {
  GameFixture f;
  std::filesystem::create_directory(f.game().savePath());
  f.mod().BlockX = 3;
  f.st().HaveItem[kItemDiary] = 1;
  EXPECT_FALSE(f.game().LoadGame(0));
  EXPECT_EQ(f.mod().BlockX, 3);
  EXPECT_EQ(f.st().HaveItem[kItemDiary], 1);
  EXPECT_EQ(f.host().errors.size(), 1u);

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
