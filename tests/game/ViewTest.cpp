#include <gtest/gtest.h>

#include "support/GameFixture.h"
#include "world/DrawBlock.h"

namespace moriva {
namespace {

using test::GameFixture;

TEST(View, TheOffsetCentresTheHeroRoundsHalfToEvenAndStopsAtTheBlockEdges) {
  GameFixture f;
  f.game().SetViewFrame(321, 321);
  EXPECT_EQ(f.st().HeroViewX, 144);
  f.game().EnterBlock();
  struct Case {
    float x, y;
    int viewX, viewY;
  } const cases[] = {{100, 700.5f, 0, -556}, {1500, 10, -1280, 0}, {600, 1500, -456, -1280}};
  for (const Case& c : cases) {
    f.st().HeroX = c.x;
    f.st().HeroY = c.y;
    f.st().SavedCount = f.st().SprCount = 0;
    f.game().ViewStep();
    EXPECT_EQ(f.st().ViewX, c.viewX) << c.x;
    EXPECT_EQ(f.st().ViewY, c.viewY) << c.y;
  }
}

TEST(View, EnterBlockCopiesTheBlockAndItsSpareEdgeAndPlaysItsRowsMusic) {
  GameFixture f;
  f.mod().Map(4 * 50 + 3, 4 * 50 + 7) = 42;
  f.mod().Map(250, 210) = 7;  // the grid's spare column stays as the extra column of block 4
  f.mod().BlockX = 4;
  f.mod().BlockY = 4;
  f.st().HeroX = 300;
  f.st().SavedInBlock = 1;
  f.st().GoalTouched = 1;
  f.host().music.clear();
  f.game().EnterBlock();
  EXPECT_EQ(f.st().BlockTiles(3, 7), 42);
  EXPECT_EQ(f.st().BlockTiles(50, 10), 7);
  EXPECT_EQ(f.st().RestartX, 300);
  EXPECT_EQ(f.st().SavedInBlock, 0);
  EXPECT_EQ(f.st().GoalTouched, 0);
  EXPECT_EQ(f.st().MiniMapFill[24], kColorCurrentBlock);
  Surface expected(1600, 1600);
  DrawBlock(f.mod().Map, f.tiles, 4, 4, expected);
  EXPECT_TRUE(f.game().picGame() == expected);
  f.mod().BlockY = 0;
  f.game().EnterBlock();
  EXPECT_EQ(f.host().music, (std::vector<RecordingGameHost::Music>{{2, false}, {3, false}}));
}

TEST(View, MiniMapSquareIndexIsRowTimesFivePlusColumn) {
  GameFixture f;
  f.st().BlockColor[2][1] = kColorVisited;
  f.game().DrawMiniMap();
  EXPECT_EQ(f.st().MiniMapFill[7], kColorVisited);
  EXPECT_EQ(f.st().MiniMapFill[11], kColorNotVisited);
}

TEST(View, MaskedSpritesKeepTheBackgroundAndOverlappingOnesRestoreACleanBlock) {
  GameFixture f;
  // Sprite 0: picture white outside a 4 x 4 figure of colour F, mask black over the figure.
  const Pixel figure = Rgb(10, 200, 30);
  f.sprites.fillRect(0, 0, 32, 64, Rgb(255, 255, 255));
  f.sprites.fillRect(8, 8, 4, 4, figure);
  f.sprites.fillRect(8, 40, 4, 4, 0);
  f.game().EnterBlock();
  const Surface clean = f.game().picGame();
  f.st().SavedCount = f.st().SprCount = f.st().TileFrCount = 0;
  f.st().HeroX = 320;
  f.st().HeroY = 320;
  f.st().SplashTimer = 12;
  f.st().SplashX = 336;  // the splash overlaps the hero, not his figure
  f.st().SplashY = 300;
  f.game().QueueTileFrame(336, 336, 3, 4);
  f.game().ViewStep();
  const Surface& g = f.game().picGame();
  EXPECT_EQ(g.pixel(328, 328), figure);
  EXPECT_EQ(g.pixel(327, 328), clean.pixel(327, 328));
  EXPECT_EQ(f.st().SavedCount, 3);
  f.game().RestoreSaved();
  EXPECT_TRUE(f.game().picGame() == clean);
}

TEST(View, AnimatedTilesInViewAreDrawnFromTheSpriteSheet) {
  GameFixture f;
  f.mod().Map(2 * 50 + 5, 4 * 50 + 45) = 32;  // fire, in view of the start position
  f.mod().Map(2 * 50 + 10, 4 * 50 + 45) = 32;  // the view's eleventh column
  f.game().EnterBlock();
  f.st().HeroX = 160;
  f.st().HeroY = 1498;
  f.st().AnimCount = 9;  // becomes 10: fire's second picture, cell 101
  f.game().ViewStep();
  const Surface& g = f.game().picGame();
  const Pixel fire = f.sprites.pixel((101 % 8) * 32 + 3, (101 / 8) * 32 + 4);
  EXPECT_EQ(g.pixel(5 * 32 + 3, 45 * 32 + 4), fire);
  EXPECT_EQ(g.pixel(10 * 32 + 3, 45 * 32 + 4), fire);
}

}  // namespace
}  // namespace moriva
