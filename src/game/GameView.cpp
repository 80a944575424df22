#include "game/Animation.h"
#include "game/Game.h"
#include "game/GameTables.h"
#include "world/DrawBlock.h"
#include "world/basMoriva.h"

#include <cmath>

namespace moriva {

namespace {
constexpr int kViewMin = -(kBlockPixels - kViewFrameSize);  // -1280: the surface always covers the frame
constexpr int kViewCells = 11;                   // 11 x 11 cells cover the frame at any offset
constexpr int kAnimFrames = 100;
constexpr int kStarsRow = 6;                     // sprite-sheet picture row of stars and splash
constexpr int kStarsColumn = 2;
constexpr int kSplashColumn = 4;
constexpr int kLastColumn = kSheetColumns - 1;

void CopyCell(Surface& dst, int dx, int dy, const Surface& src, int sx, int sy, RasterOp rop) {
  BitBlt(dst, dx, dy, kTileSize, kTileSize, src, sx, sy, rop);
}
}  // namespace

void Game::EnterBlock() {
  const std::int16_t bx = mod_.BlockX;
  const std::int16_t by = mod_.BlockY;
  host_.PlayMusic(by == 0 ? music::kTopRow : music::kLowerBlocks, false);
  st_.BlockColor[bx][by] = kColorCurrentBlock;
  DrawMiniMap();
  st_.RestartX = st_.HeroX;
  st_.RestartY = st_.HeroY;
  DrawBlock(mod_.Map, tileSheet_, bx, by, picGame_);
  for (int i = 0; i < kBlockTilesSize; ++i)
    for (int j = 0; j < kBlockTilesSize; ++j)
      st_.BlockTiles(i, j) = mod_.Map(bx * kBlockTiles + i, by * kBlockTiles + j);
  st_.SavedInBlock = 0;
  st_.GoalTouched = 0;
  host_.Note(GameEvent::EnterBlock, 0);
}

void Game::DrawMiniMap() {
  for (int x = 0; x < kWorldBlocks; ++x)
    for (int y = 0; y < kWorldBlocks; ++y) st_.MiniMapFill[y * kWorldBlocks + x] = st_.BlockColor[x][y];
}

void Game::ClampView(std::int16_t& x, std::int16_t& y) {
  if (x > 0) x = 0;
  if (x < kViewMin) x = kViewMin;
  if (y > 0) y = 0;
  if (y < kViewMin) y = kViewMin;
}

void Game::RedrawTile(int cx, int cy) {
  const int c = st_.BlockTiles(cx, cy);
  CopyCell(picGame_, cx * kTileSize, cy * kTileSize, tileSheet_, TileSourceX(c), TileSourceY(c),
           RasterOp::SrcCopy);
}

void Game::SaveUnder(int x, int y) {
  const int s = st_.SavedCount;
  if (s >= kDrawListSize) return;  // the lists never fill in play; drop rather than overrun
  CopyCell(picEscape_, s * kTileSize, 0, picGame_, x, y, RasterOp::SrcCopy);
  st_.SavedX[s] = x;
  st_.SavedY[s] = y;
  ++st_.SavedCount;
}

void Game::QueueSprite(int x, int y, int column, int row) {
  if (st_.SprCount >= kDrawListSize) return;
  SaveUnder(x, y);
  const int n = st_.SprCount++;
  st_.SprX[n] = static_cast<std::int16_t>(x);
  st_.SprY[n] = static_cast<std::int16_t>(y);
  st_.SprCol[n] = static_cast<std::int16_t>(column);
  st_.SprRow[n] = static_cast<std::int16_t>(row);
}

void Game::QueueTileFrame(int x, int y, int column, int row) {
  if (st_.TileFrCount >= kDrawListSize) return;
  SaveUnder(x, y);
  const int n = st_.TileFrCount++;
  st_.TileFrX[n] = static_cast<std::int16_t>(x);
  st_.TileFrY[n] = static_cast<std::int16_t>(y);
  st_.TileFrCol[n] = static_cast<std::int16_t>(column);
  st_.TileFrRow[n] = static_cast<std::int16_t>(row);
}

void Game::ViewStep() {
  std::int16_t vx = static_cast<std::int16_t>(RoundHalfEven(double(st_.HeroViewX) - st_.HeroX));
  std::int16_t vy = static_cast<std::int16_t>(RoundHalfEven(double(st_.HeroViewY) - st_.HeroY));
  ClampView(vx, vy);
  st_.AnimCount = static_cast<std::int16_t>((st_.AnimCount + 1) % kAnimFrames);

  // Only the picture needs the animated cells; a headless search that plays without one
  // skips the pass over the view, the larger part of a frame's cost there.
  for (int i = 0; i < kViewCells && !picGame_.empty(); ++i)
    for (int j = 0; j < kViewCells; ++j) {
      const int cx = i - vx / kTileSize;
      const int cy = j - vy / kTileSize;
      if (cx < 0 || cx >= kBlockTilesSize || cy < 0 || cy >= kBlockTilesSize) continue;
      const int k = AnimatedCell(st_.BlockTiles(cx, cy), st_.AnimCount, st_.SwitchOn);
      if (k < 0) continue;
      CopyCell(picGame_, cx * kTileSize, cy * kTileSize, spriteSheet_, (k % kSheetColumns) * kTileSize,
               (k / kSheetColumns) * kTileSize, RasterOp::SrcCopy);
    }

  const int n = HeroSprite(st_);
  if (n >= 0)
    QueueSprite(static_cast<int>(std::floor(st_.HeroX)), static_cast<int>(std::floor(st_.HeroY)),
                n % kSheetColumns, (n / kSheetColumns) * 2);
  if (st_.BumpTimer > 0) {
    QueueSprite(st_.BumpX, st_.BumpY, kStarsColumn + (st_.BumpTimer / 4) % 2, kStarsRow);
    --st_.BumpTimer;
  }
  if (st_.SplashTimer > 0) {
    // The splash's first frame would name a column past the sheet: it shows the last one.
    int column = kSplashColumn + st_.SplashTimer / 5;
    if (column > kLastColumn) column = kLastColumn;
    QueueSprite(st_.SplashX, st_.SplashY, column, kStarsRow);
    --st_.SplashTimer;
  }

  st_.ViewX = vx;
  st_.ViewY = vy;

  for (int t = 0; t < st_.TileFrCount; ++t) {
    // A pressed picture past the end of a sheet row does not exist and is not drawn.
    if (st_.TileFrCol[t] > kLastColumn) continue;
    CopyCell(picGame_, st_.TileFrX[t], st_.TileFrY[t], tileSheet_, st_.TileFrCol[t] * kTileSize,
             st_.TileFrRow[t] * kTileSize, RasterOp::SrcCopy);
  }
  for (int s = 0; s < st_.SprCount; ++s) {
    const int sx = st_.SprCol[s] * kTileSize;
    const int sy = st_.SprRow[s] * kTileSize;
    CopyCell(picGame_, st_.SprX[s], st_.SprY[s], spriteSheet_, sx, sy + kTileSize, RasterOp::SrcErase);
    CopyCell(picGame_, st_.SprX[s], st_.SprY[s], spriteSheet_, sx, sy, RasterOp::SrcInvert);
  }
}

void Game::RestoreSaved() {
  for (int s = 0; s < st_.SavedCount; ++s)
    CopyCell(picGame_, st_.SavedX[s], st_.SavedY[s], picEscape_, s * kTileSize, 0, RasterOp::SrcCopy);
}

}  // namespace moriva
