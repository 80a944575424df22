#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/GameFixture.h"
#include "world/SaveFile.h"

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

TEST(SaveLoad, AnUnreadableFileIsReportedAndChangesNothing) {
  GameFixture f;
  std::filesystem::create_directory(f.game().savePath());  // a folder where the file should be
  f.mod().BlockX = 3;
  f.st().HaveItem[1] = 1;
  EXPECT_FALSE(f.game().LoadGame(0));
  EXPECT_EQ(f.mod().BlockX, 3);
  EXPECT_EQ(f.st().HaveItem[1], 1);
  EXPECT_EQ(f.host().errors.size(), 1u);
  f.game().SaveGame();
  EXPECT_EQ(f.host().errors.size(), 2u);
}

}  // namespace
}  // namespace moriva
