#include "game/HeroPhysics.h"

#include "game/Game.h"
#include "game/GameTables.h"
#include "game/PhysicsConstants.h"
#include "game/PhysicsMath.h"
#include "game/TileClass.h"
#include "platform/KeyCodes.h"
#include "world/basMoriva.h"

namespace moriva {
namespace {

using namespace physics;

bool Held(const GameState& s, int key) { return s.KeyState[key] == kTrue; }

int JumpLimit(const GameState& s) {
  return s.HaveItem[kItemJumpShoes] * kJumpFramesPerShoes + kJumpFramesBase;
}

// Throwing the rope: the first hook straight above the hero's middle, unless a tile that
// stops the rope comes first.
void ThrowRope(Game& game) {
  GameState& s = game.state();
  s.RopeRow = -1;
  const int c = ClampTileIndex(TileOf(static_cast<double>(s.HeroX) + kRopeColumnOffset));
  const int r = ClampTileIndex(TileOf(s.HeroY));
  for (int row = r; row >= 0; --row) {
    const std::uint8_t t = s.BlockTiles(c, row);
    if (ClassOf(t) == TileClass::Hook) {
      // A hook in the hero's own row is caught without a sound.
      if (row != r) game.host().PlayEffect(effect::kRope);
      s.RopeRow = row + 1;
      break;
    }
    if (StopsRope(t)) break;
  }
  if (s.RopeRow <= 0) return;

  s.HeroX = StoreSingle(c * kTileSize);
  const int x = c * kTileSize + kRopeColumnOffset;
  const int top = s.RopeRow * kTileSize - kRopeHookDrop;
  s.linRope[0] = RopeLine{true, x, top, x, r * kTileSize};
  s.linRope[1] = RopeLine{true, x, top, x, r * kTileSize + kTileSize};
}

void WalkKeys(GameState& s) {
  const double slow = 1.0 - kSlowFloorCut * s.SlowFloor;
  const double ground = s.JumpFrames == 0 ? kGroundAccel : 0.0;
  if (Held(s, vk::kLeft)) {
    const double a = (s.HeroVX > -kAirAccelLimit ? kAirAccel : 0.0) + ground;
    s.HeroVX = StoreSingle(s.HeroVX - a * slow);
    s.Facing = 1;
  }
  if (Held(s, vk::kRight)) {
    const double a = (s.HeroVX < kAirAccelLimit ? kAirAccel : 0.0) + ground;
    s.HeroVX = StoreSingle(s.HeroVX + a * slow);
    s.Facing = 0;
  }
}

void NormalStep(Game& game) {
  GameState& s = game.state();
  s.HeroVX = StoreSingle(s.HeroVX * kDrag);
  s.HeroVY = StoreSingle(s.HeroVY + kGravity);
  WalkKeys(s);

  // Lift frames used are given back only on landing, so a released Space cannot resume.
  if (s.JumpFrames < JumpLimit(s) && Held(s, vk::kSpace)) {
    s.HeroVY = StoreSingle(s.HeroVY - kLift);
    s.JumpFrames = static_cast<std::int16_t>(s.JumpFrames + 1);
    if (s.JumpFrames == 1) {
      s.HeroVX = StoreSingle(static_cast<double>(s.HeroVX) + s.ConveyorVX);
      game.host().PlayEffect(effect::kJump);
    }
  }

  if (Held(s, vk::kEnter) && s.RopeRow <= 0 && s.HaveItem[kItemRope] == 1) ThrowRope(game);
}

void ClimbStep(GameState& s) {
  if (Held(s, vk::kUp)) {
    s.HeroVY = StoreSingle(-kClimbSpeed);
    s.JumpFrames = kClimbJumpFrames;
  }
  if (Held(s, vk::kDown)) s.HeroVY = StoreSingle(kClimbSpeed);
  if (Held(s, vk::kRight)) s.HeroVX = StoreSingle(kClimbSpeed);
  if (Held(s, vk::kLeft)) s.HeroVX = StoreSingle(-kClimbSpeed);
}

void SwimStep(GameState& s) {
  s.HeroVX = StoreSingle(s.HeroVX * kSwimDrag);
  s.HeroVY = StoreSingle(s.HeroVY + kSwimSink);
  if (Held(s, vk::kRight)) {
    s.HeroVX = StoreSingle(kSwimSpeed);
    s.Facing = 0;
  }
  if (Held(s, vk::kLeft)) {
    s.HeroVX = StoreSingle(-kSwimSpeed);
    s.Facing = 1;
  }
  if (Held(s, vk::kSpace)) {
    if (s.JumpFrames < JumpLimit(s)) {
      s.HeroVY = StoreSingle(s.HeroVY - kSwimLift);
      s.JumpFrames = static_cast<std::int16_t>(s.JumpFrames + 1);
    } else {
      s.HeroVY = StoreSingle(s.HeroVY - kSwimTiredLift);
    }
  }
}

void FloatStep(GameState& s) {
  s.HeroVX = StoreSingle(s.HeroVX * kFloatDrag);
  s.HeroVY = StoreSingle(s.HeroVY + kFloatSink);
  if (Held(s, vk::kRight)) {
    s.HeroVX = StoreSingle(kFloatSpeed);
    s.Facing = 0;
  }
  if (Held(s, vk::kLeft)) {
    s.HeroVX = StoreSingle(-kFloatSpeed);
    s.Facing = 1;
  }
  if (Held(s, vk::kSpace)) s.HeroVY = StoreSingle(kFloatRise);
}

void BurntStep(GameState& s) {
  s.HeroVX = StoreSingle(s.HeroVX * kBurntDrag);
  s.HeroVY = StoreSingle(s.HeroVY + kGravity);
}

// Leaving a block marks it visited on the block map before the next one is entered.
void LeaveBlock(Game& game) {
  basMoriva& m = game.module();
  game.state().BlockColor[ClampBlockIndex(m.BlockX)][ClampBlockIndex(m.BlockY)] = kColorVisited;
  game.DrawMiniMap();
}

void BlockEdges(Game& game) {
  GameState& s = game.state();
  basMoriva& m = game.module();

  if (s.HeroX < kEdgeLow) {
    if (m.BlockX > 0 && s.Countdown == 0) {
      LeaveBlock(game);
      m.BlockX = static_cast<std::int16_t>(m.BlockX - 1);
      s.HeroX = StoreSingle(kArriveHigh);
      game.EnterBlock();
    } else {
      s.HeroX = StoreSingle(kEdgeLow);
    }
  }
  if (s.HeroY < kEdgeLow) {
    if (m.BlockY > 0 && s.Countdown == 0) {
      LeaveBlock(game);
      m.BlockY = static_cast<std::int16_t>(m.BlockY - 1);
      s.HeroY = StoreSingle(kArriveHigh);
      game.EnterBlock();
    } else {
      s.HeroY = StoreSingle(kEdgeLow);
    }
  }
  if (s.HeroX > kEdgeHigh) {
    if (m.BlockX < kLastBlock && s.Countdown == 0) {
      LeaveBlock(game);
      m.BlockX = static_cast<std::int16_t>(m.BlockX + 1);
      s.HeroX = StoreSingle(kArriveLow);
      game.EnterBlock();
    } else {
      s.HeroX = StoreSingle(kEdgeHigh);
    }
  }
  if (s.HeroY > kEdgeHigh) {
    if (m.BlockY < kLastBlock && s.Countdown == 0) {
      LeaveBlock(game);
      m.BlockY = static_cast<std::int16_t>(m.BlockY + 1);
      s.HeroY = StoreSingle(kArriveLow);
      game.EnterBlock();
    } else if (m.BlockY < kLastBlock) {
      s.HeroY = StoreSingle(kEdgeHigh);
    } else {
      // Below the bottom row of blocks there is no world left: the hero is gone.
      s.HeroState = hero::kFallen;
      if (s.Countdown == 0) {
        s.Countdown = kFallCountdown;
        game.host().PlayEffect(effect::kFall);
      }
      s.HeroY = StoreSingle(kEdgeHigh);
    }
  }
}

}  // namespace

void HeroStateStep(Game& game) {
  GameState& s = game.state();
  switch (s.HeroState) {
    case hero::kNormal: NormalStep(game); break;
    case hero::kClimbing: ClimbStep(s); break;
    case hero::kSwimming: SwimStep(s); break;
    case hero::kFloating: FloatStep(s); break;
    case hero::kBurnt: BurntStep(s); break;
    default: break;  // the other sequences keep the speeds the tiles gave them
  }
}

void RopeClimb(Game& game) {
  GameState& s = game.state();
  if (s.RopeRow <= 0) return;
  s.HeroState = hero::kClimbing;
  s.HeroVX = 0;
  s.HeroVY = 0;
  s.HeroY = StoreSingle(static_cast<double>(s.HeroY) - kRopeClimbSpeed);
  s.linRope[0].Y2 = RoundHalfEven(static_cast<double>(s.HeroY) + 2);
  s.linRope[1].Y1 = RoundHalfEven(static_cast<double>(s.HeroY) + kHeroSize);
  const double hookRowTop = static_cast<double>(s.RopeRow - 1) * kTileSize;
  if (s.HeroY <= hookRowTop) {
    s.HeroY = StoreSingle(hookRowTop + 1);
    s.RopeRow = -1;
    s.linRope[0].Visible = false;
    s.linRope[1].Visible = false;
  }
}

void MoveAndBlockEdges(Game& game) {
  GameState& s = game.state();
  if (s.HeroVY > kFallingSpeed) {
    s.JumpFrames = kNoLift;
    s.CrumbleTimer = 0;
  }

  if (s.HeroVX > kSpeedLimit) s.HeroVX = StoreSingle(kSpeedLimit);
  if (s.HeroVY > kSpeedLimit) s.HeroVY = StoreSingle(kSpeedLimit);
  if (s.HeroVX < -kSpeedLimit) s.HeroVX = StoreSingle(-kSpeedLimit);
  if (s.HeroVY < -kSpeedLimit) s.HeroVY = StoreSingle(-kSpeedLimit);

  s.HeroX = StoreSingle(static_cast<double>(s.HeroX) + s.HeroVX + s.ConveyorVX);
  s.HeroY = StoreSingle(static_cast<double>(s.HeroY) + s.HeroVY);

  BlockEdges(game);

  // Every frame starts from the normal state; the tile checks set this frame's state again,
  // unless a miss or the goal is being played out.
  s.SlowFloor = 0;
  s.PrevState = s.HeroState;
  if (s.Countdown == 0) s.HeroState = hero::kNormal;
}

}  // namespace moriva
