#pragma once

#include <array>
#include <cassert>
#include <cstdint>

#include "game/EndingScreen.h"

namespace moriva {

// Sizes of the game window's tables.
constexpr int kBlockTilesSize = 51;  // a block's 50 x 50 tiles plus the next block's first column and row
constexpr int kKeyStateSize = 256;
constexpr int kDrawListSize = 11;    // per-frame saved cells, sprites and tile frames
constexpr int kItemIcons = 10;
constexpr int kHaveItemSize = 21;    // entries 10..20 are never used
constexpr int kBlockTableDim = 6;    // per-block tables; 5 x 5 used
constexpr int kMiniMapSquares = 25;
constexpr int kViewFrameSize = 320;  // the square view frame, in pixels

// Flags tested as true or false hold -1 for true.
constexpr std::int16_t kTrue = -1;

// Block-map colours (0x00BBGGRR as the window system stores them: 255 is red).
constexpr std::int32_t kColorNotVisited = -1;
constexpr std::int32_t kColorCurrentBlock = 255;
constexpr std::int32_t kColorVisited = 16777215;

// Hero states.
namespace hero {
constexpr std::int16_t kNormal = 0;
constexpr std::int16_t kClimbing = 1;
constexpr std::int16_t kSwimming = 2;
constexpr std::int16_t kFloating = 3;
constexpr std::int16_t kBurnt = 90;
constexpr std::int16_t kDrowned = 91;
constexpr std::int16_t kPierced = 92;
constexpr std::int16_t kSunk = 93;
constexpr std::int16_t kFallen = 99;
constexpr std::int16_t kGoal = 100;
constexpr std::int16_t kFirstSequenceState = 10;  // from here on the player has no control
}  // namespace hero

// The current block's working copy, indexed (x, y) like the world map grid.
struct BlockTileGrid {
  std::array<std::uint8_t, kBlockTilesSize * kBlockTilesSize> cells{};
  std::uint8_t& operator()(int x, int y) {
    assert(Inside(x, y));
    return cells[x * kBlockTilesSize + y];
  }
  std::uint8_t operator()(int x, int y) const {
    assert(Inside(x, y));
    return cells[x * kBlockTilesSize + y];
  }
  static constexpr bool Inside(int x, int y) {
    return x >= 0 && x < kBlockTilesSize && y >= 0 && y < kBlockTilesSize;
  }
};

// One of the two rope lines on the block surface (block-surface pixels).
struct RopeLine {
  bool Visible = false;
  std::int32_t X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};

// Every field of the game window that play reads or writes. Plain data: the frame code
// changes it, the window and the replay trace read it. Whole numbers are 16-bit unless
// the field is documented as 32-bit; positions and speeds are single precision.
struct GameState {
  // Hero.
  float HeroX = 0, HeroY = 0;
  float HeroVX = 0, HeroVY = 0;
  std::int16_t HeroState = 0;
  std::int16_t PrevState = 0;
  std::int16_t Facing = 0;       // 0 right, 1 left
  std::int16_t JumpFrames = 0;   // 999: no lift possible
  std::int32_t Countdown = 0;    // frames left in a miss or goal sequence
  std::int32_t RopeRow = 0;      // > 0 while the rope is out: hook in tile row RopeRow - 1
  float RestartX = 0, RestartY = 0;
  float ConveyorVX = 0;
  std::int16_t SlowFloor = 0;

  // World and tiles.
  std::int16_t SwitchOn = 0;
  std::int16_t AnimCount = 0;    // 0..99
  std::int32_t CrumbleTimer = 0;
  std::int32_t SpringTimer = 0;
  std::int32_t LauncherTimer = 0;
  std::int16_t SavedInBlock = 0;
  std::int16_t GoalTouched = 0;
  std::int16_t ItemNo = 0;       // handed to the item dialog
  BlockTileGrid BlockTiles;

  // Short effects drawn as sprites.
  std::int16_t BumpTimer = 0, BumpX = 0, BumpY = 0;
  std::int16_t SplashTimer = 0, SplashX = 0, SplashY = 0;

  // Items and per-block tables (indexed [column][row]).
  std::array<std::int16_t, kHaveItemSize> HaveItem{};
  std::array<std::array<std::int32_t, kBlockTableDim>, kBlockTableDim> BlockColor{};
  std::array<std::array<std::int32_t, kBlockTableDim>, kBlockTableDim> MissCount{};
  std::int16_t SaveSlot = 0;

  // Keyboard and loop control.
  std::array<std::int16_t, kKeyStateSize> KeyState{};
  std::int16_t StopLoop = 0;
  // Set when the window is being closed: the loop leaves at once, running no further logic.
  bool Closing = false;

  // View.
  std::int32_t HeroViewX = 0, HeroViewY = 0;
  std::int16_t ViewX = 0, ViewY = 0;  // where the block surface stands inside the frame

  // Per-frame drawing lists; emptied by setting the counts to 0.
  std::array<std::int32_t, kDrawListSize> SavedX{}, SavedY{};
  std::int16_t SavedCount = 0;
  std::array<std::int16_t, kDrawListSize> SprX{}, SprY{}, SprCol{}, SprRow{};
  std::int16_t SprCount = 0;
  std::array<std::int16_t, kDrawListSize> TileFrX{}, TileFrY{}, TileFrCol{}, TileFrRow{};
  std::int16_t TileFrCount = 0;

  // What the window shows around the view; the window copies it onto its elements.
  std::array<RopeLine, 2> linRope{};
  std::array<bool, kItemIcons> ItemVisible{};           // imgItem 0..9
  std::array<std::int32_t, kMiniMapSquares> MiniMapFill{};  // shpMap 0..24; -1 transparent
  std::array<char, 16> DpsText{};                       // lblDPS caption, e.g. "64f/s"

  // Ending: tmrEnding ticks since ShowEnding (32-bit), and the end screen.
  std::int32_t EndingTick = 0;
  EndingScreen Ending;
};

}  // namespace moriva
