#include <gtest/gtest.h>

#include "support/GameFixture.h"
#include "world/DrawBlock.h"

namespace moriva {
namespace {

using test::GameFixture;

TEST(View, HeroViewIsTheFrameCentreForEvenAndOddWidths) {
  GameFixture f;
  f.game().SetViewFrame(320, 320);
  EXPECT_EQ(f.st().HeroViewX, 144);
  EXPECT_EQ(f.st().HeroViewY, 144);
  f.game().SetViewFrame(321, 321);
  EXPECT_EQ(f.st().HeroViewX, 144);
  EXPECT_EQ(f.st().HeroViewY, 144);
}

TEST(View, ClampKeepsTheSurfaceOverTheFrame) {
  std::int16_t x = 44, y = -1356;
  Game::ClampView(x, y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, -1280);
  x = -700;
  y = 0;
  Game::ClampView(x, y);
  EXPECT_EQ(x, -700);
  EXPECT_EQ(y, 0);
}

TEST(View, OffsetFollowsTheHeroAndStopsAtTheBlockEdges) {
  GameFixture f;
  f.game().EnterBlock();
  f.st().HeroX = 100;
  f.st().HeroY = 700.5f;  // 144 - 700.5 = -556.5, rounds to the even -556
  f.game().ViewStep();
  EXPECT_EQ(f.st().ViewX, 0);
  EXPECT_EQ(f.st().ViewY, -556);
  f.st().HeroX = 1500;
  f.st().HeroY = 10;
  f.game().ViewStep();
  EXPECT_EQ(f.st().ViewX, -1280);
  EXPECT_EQ(f.st().ViewY, 0);
}

TEST(View, AnimCountWrapsAtAHundred) {
  GameFixture f;
  f.game().EnterBlock();
  f.st().AnimCount = 98;
  f.game().ViewStep();
  EXPECT_EQ(f.st().AnimCount, 99);
  f.game().RestoreSaved();
  f.st().SavedCount = f.st().SprCount = 0;
  f.game().ViewStep();
  EXPECT_EQ(f.st().AnimCount, 0);
}

TEST(View, EnterBlockCopiesTheBlockAndItsSpareEdge) {
  GameFixture f;
  f.mod().Map(4 * 50 + 3, 4 * 50 + 7) = 42;
  f.mod().Map(250, 210) = 7;  // the grid's spare column stays as the extra column of block 4
  f.mod().BlockX = 4;
  f.mod().BlockY = 4;
  f.st().HeroX = 300;
  f.st().HeroY = 400;
  f.st().SavedInBlock = 1;
  f.st().GoalTouched = 1;
  f.host().music.clear();
  f.game().EnterBlock();
  EXPECT_EQ(f.st().BlockTiles(3, 7), 42);
  EXPECT_EQ(f.st().BlockTiles(50, 10), 7);
  EXPECT_EQ(f.st().RestartX, 300);
  EXPECT_EQ(f.st().RestartY, 400);
  EXPECT_EQ(f.st().SavedInBlock, 0);
  EXPECT_EQ(f.st().GoalTouched, 0);
  EXPECT_EQ(f.st().BlockColor[4][4], kColorCurrentBlock);
  EXPECT_EQ(f.st().MiniMapFill[24], kColorCurrentBlock);
  EXPECT_EQ(f.st().MiniMapFill[0], kColorNotVisited);
  ASSERT_EQ(f.host().music.size(), 1u);
  EXPECT_EQ(f.host().music[0], (RecordingGameHost::Music{2, false}));
  Surface expected(1600, 1600);
  DrawBlock(f.mod().Map, f.tiles, 4, 4, expected);
  EXPECT_TRUE(f.game().picGame() == expected);
}

TEST(View, TopRowPlaysTheSkyMusic) {
  GameFixture f;
  f.mod().BlockX = 2;
  f.mod().BlockY = 0;
  f.host().music.clear();
  f.game().EnterBlock();
  f.mod().BlockY = 1;
  f.game().EnterBlock();
  ASSERT_EQ(f.host().music.size(), 2u);
  EXPECT_EQ(f.host().music[0].number, 3);
  EXPECT_EQ(f.host().music[1].number, 2);
}

TEST(View, MiniMapSquareIndexIsRowTimesFivePlusColumn) {
  GameFixture f;
  f.st().BlockColor[2][1] = kColorVisited;
  f.st().BlockColor[4][3] = kColorCurrentBlock;
  f.game().DrawMiniMap();
  EXPECT_EQ(f.st().MiniMapFill[7], kColorVisited);
  EXPECT_EQ(f.st().MiniMapFill[19], kColorCurrentBlock);
  EXPECT_EQ(f.st().MiniMapFill[11], kColorNotVisited);
}

TEST(View, OverlappingSpritesRestoreACleanBlock) {
  GameFixture f;
  f.game().EnterBlock();
  const Surface clean = f.game().picGame();
  f.st().SavedCount = f.st().SprCount = f.st().TileFrCount = 0;
  f.st().HeroX = 400;
  f.st().HeroY = 400;
  f.st().SplashTimer = 12;
  f.st().SplashX = 390;  // the splash overlaps the hero
  f.st().SplashY = 384;
  f.st().BumpTimer = 3;
  f.st().BumpX = 410;
  f.st().BumpY = 388;
  f.game().QueueTileFrame(416, 416, 3, 4);
  f.game().ViewStep();
  EXPECT_EQ(f.st().SprCount, 3);
  EXPECT_EQ(f.st().SavedCount, 4);
  EXPECT_FALSE(f.game().picGame() == clean);
  f.game().RestoreSaved();
  EXPECT_TRUE(f.game().picGame() == clean);
}

TEST(View, MaskedSpriteKeepsTheBackgroundOutsideTheFigure) {
  GameFixture f;
  // Sprite 0: picture white outside a 4 x 4 figure of colour F, mask black over the figure.
  const Pixel figure = Rgb(10, 200, 30);
  f.sprites.fillRect(0, 0, 32, 64, Rgb(255, 255, 255));
  f.sprites.fillRect(8, 8, 4, 4, figure);
  f.sprites.fillRect(8, 40, 4, 4, 0);
  f.game().EnterBlock();
  const Surface clean = f.game().picGame();
  f.st().HeroX = 320;
  f.st().HeroY = 320;
  f.game().ViewStep();
  const Surface& g = f.game().picGame();
  EXPECT_EQ(g.pixel(328, 328), figure);
  EXPECT_EQ(g.pixel(331, 331), figure);
  EXPECT_EQ(g.pixel(327, 328), clean.pixel(327, 328));
  EXPECT_EQ(g.pixel(340, 345), clean.pixel(340, 345));
}

TEST(View, SplashColumnsCountDownAndTheFirstFrameShowsTheLastColumn) {
  GameFixture f;
  f.game().EnterBlock();
  std::vector<int> columns;
  f.st().SplashTimer = 20;
  for (int i = 0; i < 20; ++i) {
    f.st().SavedCount = f.st().SprCount = 0;
    f.game().ViewStep();
    columns.push_back(f.st().SprCol[1]);
  }
  EXPECT_EQ(f.st().SplashTimer, 0);
  EXPECT_EQ(columns[0], 7);
  EXPECT_EQ(columns[1], 7);
  EXPECT_EQ(columns[5], 7);
  EXPECT_EQ(columns[6], 6);
  EXPECT_EQ(columns[19], 4);
}

TEST(View, AnimatedTilesInViewAreDrawnFromTheSpriteSheet) {
  GameFixture f;
  f.mod().Map(2 * 50 + 5, 4 * 50 + 45) = 32;  // fire, in view of the start position
  f.game().EnterBlock();
  f.st().HeroX = 160;
  f.st().HeroY = 1498;
  f.st().AnimCount = 9;  // becomes 10: fire's second picture, cell 101
  f.game().ViewStep();
  const Surface& g = f.game().picGame();
  EXPECT_EQ(g.pixel(5 * 32 + 3, 45 * 32 + 4), f.sprites.pixel((101 % 8) * 32 + 3, (101 / 8) * 32 + 4));
}

TEST(View, RedrawTileCopiesTheWorkingCopysCode) {
  GameFixture f;
  f.game().EnterBlock();
  f.st().BlockTiles(3, 4) = 13;
  f.game().RedrawTile(3, 4);
  EXPECT_EQ(f.game().picGame().pixel(3 * 32 + 1, 4 * 32 + 2), f.tiles.pixel(5 * 32 + 1, 32 + 2));
}

}  // namespace
}  // namespace moriva
