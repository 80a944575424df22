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
    EXPECT_EQ((std::pair{f.st().ViewX, f.st().ViewY}), (std::pair<std::int16_t, std::int16_t>(c.viewX, c.viewY))) << c.x;
  }
}

// Block (4, 1): its spare column is the grid's own last column; its square on the block
// map is row 1 times five plus column 4.
TEST(View, EnterBlockCopiesTheBlockAndItsSpareEdgeMarksItsSquareAndPlaysItsRowsMusic) {
  GameFixture f;
  f.mod().Map(4 * 50 + 3, 1 * 50 + 7) = 42;
  f.mod().Map(250, 60) = 7;
  f.mod().BlockX = 4;
  f.mod().BlockY = 1;
  f.st().HeroX = 300;
  f.st().SavedInBlock = 1;
  f.st().GoalTouched = 1;
  f.st().BlockColor[2][3] = kColorVisited;
  f.host().music.clear();
  f.game().EnterBlock();
  EXPECT_EQ((std::tuple{f.st().BlockTiles(3, 7), f.st().BlockTiles(50, 10), f.st().RestartX, f.st().SavedInBlock, f.st().GoalTouched}),
            (std::tuple<std::uint8_t, std::uint8_t, float, std::int16_t, std::int16_t>{42, 7, 300, 0, 0}));
  EXPECT_EQ((std::tuple{f.st().MiniMapFill[9], f.st().MiniMapFill[17], f.st().MiniMapFill[13]}),
            (std::tuple{kColorCurrentBlock, kColorVisited, kColorNotVisited}));
  Surface expected(1600, 1600);
  DrawBlock(f.mod().Map, f.tiles, 4, 1, expected);
  EXPECT_TRUE(f.game().picGame() == expected);
  f.mod().BlockY = 0;
  f.game().EnterBlock();
  EXPECT_EQ(f.host().music, (std::vector<RecordingGameHost::Music>{{2, false}, {3, false}}));
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
  GameState& s = f.st();
  s.SavedCount = s.SprCount = s.TileFrCount = 0;
  s.HeroX = s.HeroY = 320;
  s.SplashTimer = 12, s.SplashX = 336, s.SplashY = 300;  // the splash overlaps the hero, not his figure
  f.game().QueueTileFrame(336, 336, 3, 4);
  f.game().ViewStep();
  const Surface& g = f.game().picGame();
  EXPECT_EQ(g.pixel(328, 328), figure);
  EXPECT_EQ(g.pixel(327, 328), clean.pixel(327, 328));
  EXPECT_EQ(s.SavedCount, 3);
  f.game().RestoreSaved();
  EXPECT_TRUE(f.game().picGame() == clean);
}

TEST(View, AnimatedTilesInViewAreDrawnFromTheSpriteSheet) {
  GameFixture f;
  f.mod().Map(2 * 50 + 5, 4 * 50 + 45) = 32;   // fire, in view of the start position
  f.mod().Map(2 * 50 + 10, 4 * 50 + 45) = 32;  // the view's eleventh column
  f.game().EnterBlock();
  f.st().HeroX = 160;
  f.st().HeroY = 1498;
  f.st().AnimCount = 9;  // becomes 10: fire's second picture, cell 101
  f.game().ViewStep();
  const Pixel fire = f.sprites.pixel((101 % 8) * 32 + 3, (101 / 8) * 32 + 4);
  EXPECT_EQ(f.game().picGame().pixel(5 * 32 + 3, 45 * 32 + 4), fire);
  EXPECT_EQ(f.game().picGame().pixel(10 * 32 + 3, 45 * 32 + 4), fire);
}

}  // namespace
}  // namespace moriva
