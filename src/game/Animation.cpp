#include "game/Animation.h"

#include <cmath>

namespace moriva {

namespace {

// The offset of a pixel inside its tile; never negative.
int InTile(int v) { return ((v % 32) + 32) % 32; }

}  // namespace

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
