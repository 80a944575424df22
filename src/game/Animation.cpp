#include "game/Animation.h"

#include <cmath>

namespace moriva {

namespace {

// Flame-jet pictures over the 100-frame cycle: calm (91) most of the time, fierce (88, 89)
// around the deadly first frames.
int FlameJetCell(int c) {
  if (c <= 2 || (c >= 18 && c <= 20)) return 90;
  if (c <= 4 || (c >= 10 && c <= 14)) return 89;
  if (c <= 17) return 88;
  return 91;
}

// The offset of a pixel inside its tile; never negative.
int InTile(int v) { return ((v % 32) + 32) % 32; }

}  // namespace

int AnimatedCell(int tile, int c, int s) {
  switch (tile) {
    case 4: return 106 + (c / 8) % 2;
    case 5: return 108 + (c / 10) % 2;
    case 7: return 126 + (c / 4) % 2;
    case 12: return 104 + (c / 8) % 2;
    case 15: return 124 + (c / 4) % 2;
    case 17: return 112 + (c / 6) % 2;
    case 18: return 114 + (c / 4) % 2;
    case 25: return 120 + (c / 6) % 2;
    case 26: return 122 + (c / 4) % 2;
    case 32: return 100 + (c / 10) % 2;
    case 49: return 110 + (c / 25) % 2;
    case 54: return FlameJetCell(c);
    case 56: return 102 + (c / 25) % 2;
    case 90: return 128 + (c / 25) % 2;
    case 91: return 130 + (c / 25) % 2;
    case 92: return 132 + (c / 25) % 2;
    case 93: return 134 + (c / 25) % 2;
    case 143: return 94 - s * (1 + (c / 5) % 2);
    case 154: return 96 + s * ((c / 5) % 4);
    case 155: return 99 - s * ((c / 5) % 4);
    case 158: return 116 + s * (c % 4);
    case 159: return 119 - s * (c % 4);
    case 172: return 138 - s * (1 + (c / 10) % 2);
    default: return -1;
  }
}

int HeroSprite(const GameState& st) {
  const int c = st.AnimCount;
  const int f = st.Facing;
  switch (st.HeroState) {
    case hero::kFallen: return -1;
    case hero::kBurnt: return 16 + (c / 10) % 2 + 4 * f;
    case hero::kDrowned: return 18 + 4 * ((c / 25) % 2);
    case hero::kPierced: return 19 + 4 * f;
    case hero::kSunk: return 32 + (c / 18) % 2;
    case hero::kGoal:
      if (st.Countdown < 3) return 34;
      break;
    default: break;
  }
  const int rx = RoundHalfEven(st.HeroX);
  const int ry = RoundHalfEven(st.HeroY);
  if (st.HeroState == hero::kSwimming)
    return st.JumpFrames > 0 ? 9 + 4 * f : 10 + InTile(rx) / 16 + 4 * f;
  if (st.HeroState == hero::kClimbing || st.RopeRow > 0) return 8 + 4 * ((InTile(ry) + InTile(rx)) / 32);
  if (st.HeroState == hero::kFloating) return 24 + f;
  if (st.JumpFrames > 0) return 1 + 4 * f;
  if (std::fabs(st.HeroVX) >= 0.01f) return 2 + InTile(rx) / 16 + 4 * f;
  return 4 * f;
}

}  // namespace moriva
