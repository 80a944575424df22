#include "game/TileChecks.h"

#include "game/Game.h"
#include "game/GameTables.h"
#include "game/PhysicsConstants.h"
#include "game/PhysicsMath.h"
#include "game/TileClass.h"
#include "game/TreasureBox.h"

namespace moriva {
namespace {

using namespace physics;

// A sample point of the hero's box and the working-copy cell under it.
struct Cell {
  int x;
  int y;
  std::uint8_t code;
};

Cell Sample(const GameState& s, double px, double py) {
  const int cx = ClampTileIndex(TileOf(px));
  const int cy = ClampTileIndex(TileOf(py));
  return Cell{cx, cy, s.BlockTiles(cx, cy)};
}

double X(const GameState& s) { return s.HeroX; }
double Y(const GameState& s) { return s.HeroY; }

// A cell that gives way takes the picture and class of the tile above it.
void TakeTileAbove(Game& game, const Cell& c) {
  GameState& s = game.state();
  s.BlockTiles(c.x, c.y) = s.BlockTiles(c.x, ClampTileIndex(c.y - 1));
  game.RedrawTile(c.x, c.y);
}

void SetTile(Game& game, const Cell& c, std::uint8_t code) {
  game.state().BlockTiles(c.x, c.y) = code;
  game.RedrawTile(c.x, c.y);
}

// The pressed picture of a spring or launcher is the sheet cell to the right of its own;
// a code at the end of a sheet row has none, and shows its own picture.
void QueuePressedPicture(Game& game, const Cell& c) {
  const int column = c.code % kSheetColumns + 1;
  if (column >= kSheetColumns) return;
  game.QueueTileFrame(c.x * kTileSize, c.y * kTileSize, column, c.code / kSheetColumns);
}

void StartMiss(Game& game, std::int16_t state, std::int32_t frames, int effect) {
  GameState& s = game.state();
  s.HeroState = state;
  if (s.Countdown == 0) {
    s.Countdown = frames;
    if (effect > 0) game.host().PlayEffect(effect);
  }
}

void Head(Game& game) {
  GameState& s = game.state();
  const Cell c = Sample(s, X(s) + kHeadX, Y(s));
  if ((c.code == tile::kHiddenBlock || c.code == tile::kHiddenIceBlock) && s.HeroVY < 0) {
    SetTile(game, c, c.code == tile::kHiddenBlock ? tile::kRevealedBlock : tile::kRevealedIceBlock);
    s.HeroY = StoreSingle(c.y * kTileSize + kTileSize);
  } else if (IsSolidTile(c.code)) {
    s.HeroY = StoreSingle(Y(s) - s.HeroVY);
    if (s.HeroVY < kBumpSpeed && (s.PrevState == hero::kNormal || s.PrevState == hero::kSwimming)) {
      s.BumpTimer = kBumpFrames;
      s.BumpX = static_cast<std::int16_t>(RoundHalfEven(X(s)));
      s.BumpY = static_cast<std::int16_t>(RoundHalfEven(Y(s) - kBumpAbove));
      game.host().PlayEffect(effect::kBump);
    }
    s.HeroVY = 0;
  }
}

void Sides(Game& game) {
  GameState& s = game.state();
  for (int i = 0; i < 2; ++i) {
    const Cell c = Sample(s, X(s) + (kHeroSize - 1) * i, Y(s));
    if (ClassOf(c.code) == TileClass::Door && s.HaveItem[DoorKey(c.code)] != 0) {
      game.host().PlayEffect(effect::kDoor);
      SetTile(game, c, s.BlockTiles(ClampTileIndex(c.x + 1), c.y));
    } else if (IsSolidTile(c.code)) {
      // Against the wall's right face on the left side, its left face on the right side.
      s.HeroX = StoreSingle((c.x + 1 - 2 * i) * kTileSize);
      s.HeroVX = 0;
    }
  }
}

// The feet. Ground friction acts at most once a frame, however many feet stand on ground:
// that is what holds walking near 4 px per frame. Everything else acts per foot.
class Feet {
 public:
  explicit Feet(Game& game) : game_(game), s_(game.state()) {}

  void Run() {
    s_.ConveyorVX = 0;
    Foot(kLeftFootX);
    Foot(kRightFootX);
  }

 private:
  void Friction() {
    if (frictionDone_) return;
    frictionDone_ = true;
    s_.HeroVX = StoreSingle(s_.HeroVX * kGroundFriction);
  }

  void Land() {
    s_.HeroY = StoreSingle(TileOf(Y(s_)) * kTileSize);
    s_.HeroVY = 0;
    Friction();
  }

  // Landing from a jump or a fall loses most of the sideways speed.
  void EndAirTime(double keep) {
    if (s_.JumpFrames > 0) {
      s_.JumpFrames = 0;
      s_.HeroVX = StoreSingle(s_.HeroVX * keep);
    }
  }

  void Foot(int footX) {
    const Cell c = Sample(s_, X(s_) + footX, Y(s_) + kHeroSize);
    switch (ClassOf(c.code)) {
      case TileClass::Goal: Goal(c); break;
      case TileClass::Switch:
        s_.HeroY = StoreSingle(TileOf(Y(s_)) * kTileSize - 1);
        s_.SwitchOn = static_cast<std::int16_t>(1 - s_.SwitchOn);
        s_.HeroVY = StoreSingle(kSwitchBounce);  // bounced off, so one landing toggles once
        game_.host().PlayEffect(effect::kSwitch);
        break;
      case TileClass::Crumble: Crumble(c); break;
      case TileClass::Glass:
        if (s_.HeroVY > kGlassCrackSpeed) {
          SetTile(game_, c, tile::kCrackedGlass);
          s_.HeroY = StoreSingle(Y(s_) - kGlassCrackRise);
          s_.HeroVY = StoreSingle(kGlassRebound);
        } else {
          Land();
          s_.JumpFrames = 0;
        }
        break;
      case TileClass::CrackedGlass:
        s_.HeroY = StoreSingle(Y(s_) - kCrackedGlassRise);
        s_.HeroVY = StoreSingle(kCrackedGlassRebound);
        TakeTileAbove(game_, c);
        break;
      case TileClass::Conveyor:
        Land();
        EndAirTime(kLandingKeep);
        if (s_.SwitchOn != 0) s_.ConveyorVX = StoreSingle(ConveyorPush(c.code));
        break;
      case TileClass::Ice:
        s_.SlowFloor = 1;
        s_.HeroY = StoreSingle(TileOf(Y(s_)) * kTileSize);
        s_.HeroVY = 0;
        if (s_.JumpFrames > 0) s_.JumpFrames = 0;
        break;
      default:
        if (IsSolidTile(c.code)) {  // plain ground, doors included
          Land();
          EndAirTime(kLandingKeep);
          s_.SpringTimer = 0;
        }
        break;
    }
  }

  // The goal is judged once per visit to its block.
  void Goal(const Cell& c) {
    s_.HeroY = StoreSingle(c.y * kTileSize - kHeroSize);
    s_.HeroVY = 0;
    Friction();
    s_.JumpFrames = 0;
    if (s_.GoalTouched != 0) return;
    s_.GoalTouched = 1;
    if ((s_.HaveItem[kItemDumplings] & s_.HaveItem[kItemPampasGrass]) != 0) {
      s_.Facing = 0;
      s_.HeroState = hero::kGoal;
      s_.Countdown = kGoalCountdown;
    } else {
      s_.ItemNo = kItemNoGoalNotice;
      game_.host().ShowItemDialog(s_.ItemNo);
      game_.ClearKeys();
    }
  }

  // No friction on a crumbling floor; each foot on it counts down, so both feet wear it
  // away about twice as fast.
  void Crumble(const Cell& c) {
    s_.SlowFloor = 1;
    s_.HeroY = StoreSingle(c.y * kTileSize - kHeroSize);
    s_.HeroVY = 0;
    if (s_.CrumbleTimer == 0) {
      s_.CrumbleTimer = kCrumbleFrames;
      EndAirTime(kCrumbleLandingKeep);
      return;
    }
    s_.CrumbleTimer -= 1;
    s_.JumpFrames = 0;
    if (s_.CrumbleTimer > 1) return;
    s_.CrumbleTimer = 0;
    const auto next = static_cast<std::uint8_t>(c.code + 1);
    s_.BlockTiles(c.x, c.y) = next;
    if (next == tile::kCrumbleGoneFirst || next == tile::kCrumbleGoneSecond) {
      s_.BlockTiles(c.x, c.y) = s_.BlockTiles(c.x, ClampTileIndex(c.y - 1));
    }
    game_.RedrawTile(c.x, c.y);
  }

  Game& game_;
  GameState& s_;
  bool frictionDone_ = false;
};

void Spring(Game& game, const Cell& c) {
  GameState& s = game.state();
  if (s.SpringTimer == 0) {
    s.SpringTimer = kSpringHold;
    s.HeroY = StoreSingle(c.y * kTileSize - kSpringSeat);
    s.HeroVY = StoreSingle(kSpringSeatSpeed);
    s.HeroVX = StoreSingle(s.HeroVX * kSpringSeatKeep);
    return;
  }
  s.SpringTimer -= 1;
  QueuePressedPicture(game, c);
  s.HeroVY = StoreSingle(kSpringHoldSpeed);
  s.HeroVX = StoreSingle(s.HeroVX * kSpringHoldKeep);
  if (s.SpringTimer == 1) {
    game.host().PlayEffect(effect::kSpring);
    s.HeroVY = StoreSingle(kSpringThrow);
    s.SpringTimer = 0;
    s.JumpFrames = kNoLift;
  }
}

// direction -1 throws the hero left, +1 right. The launchers of both directions share
// one timer.
void Launcher(Game& game, const Cell& c, int direction) {
  GameState& s = game.state();
  if (s.LauncherTimer == 0) {
    s.LauncherTimer = kLauncherHold;
    s.HeroX = StoreSingle(c.x * kTileSize + (direction < 0 ? kLauncherSeatLeft : kLauncherSeatRight));
    return;
  }
  s.LauncherTimer -= 1;
  QueuePressedPicture(game, c);
  s.HeroVX = StoreSingle(-direction * kLauncherHoldSpeed);
  if (s.LauncherTimer == 1) {
    game.host().PlayEffect(effect::kSpring);
    s.HeroX = StoreSingle(X(s) + direction * kTileSize);
    s.LauncherTimer = 0;
    s.HeroVX = StoreSingle(direction * kLauncherThrow);
  }
}

void Water(Game& game) {
  GameState& s = game.state();
  if (s.PrevState == hero::kNormal) {  // just come in from the normal state
    s.HeroVY = StoreSingle(s.HeroVY * kWaterEntryKeep);
    game.host().PlayEffect(effect::kSplash);
    s.SplashTimer = kSplashFrames;
    s.SplashX = static_cast<std::int16_t>(RoundHalfEven(X(s)));
    s.SplashY = static_cast<std::int16_t>(RoundHalfEven(Y(s) - kSplashAbove));
  }
  if (s.HaveItem[kItemDivingHelmet] == 1) {
    if (s.Countdown == 0) s.HeroState = hero::kSwimming;
    return;
  }
  s.HeroState = hero::kDrowned;
  s.HeroVY = StoreSingle(kDrownSink);
  s.HeroVX = 0;
  if (s.Countdown == 0) s.Countdown = kDrownCountdown;
}

void Centre(Game& game) {
  GameState& s = game.state();
  const Cell c = Sample(s, X(s) + kCentre, Y(s) + kCentre);
  switch (ClassOf(c.code)) {
    case TileClass::Fire: StartMiss(game, hero::kBurnt, kBurnCountdown, effect::kBurn); break;
    case TileClass::RedPool: StartMiss(game, hero::kSunk, kBurnCountdown, 0); break;
    case TileClass::Spikes:
      s.HeroVX = 0;
      s.HeroVY = 0;
      StartMiss(game, hero::kPierced, kSpikesCountdown, effect::kSpikes);
      break;
    case TileClass::Spring: Spring(game, c); break;
    case TileClass::LauncherLeft: Launcher(game, c, -1); break;
    case TileClass::LauncherRight: Launcher(game, c, +1); break;
    case TileClass::Ladder:
      s.JumpFrames = kLadderJumpFrames;
      s.HeroState = hero::kClimbing;
      s.HeroVY = 0;
      s.HeroVX = 0;
      break;
    case TileClass::Water: Water(game); break;
    case TileClass::Float:
      if (s.PrevState == hero::kNormal) s.HeroVY = StoreSingle(s.HeroVY * kFloatEntryKeep);
      s.JumpFrames = kFloatJumpFrames;
      s.HeroState = hero::kFloating;
      break;
    case TileClass::FlameJet:
      // Deadly only in the first frames of every animation cycle.
      if (s.AnimCount < kFlameJetDeadlyFrames) {
        StartMiss(game, hero::kBurnt, kBurnCountdown, effect::kBurn);
      }
      break;
    case TileClass::TreasureBox:
      TakeTileAbove(game, c);
      s.HeroVX = 0;
      s.HeroVY = 0;
      OpenTreasureBox(game);
      break;
    default: break;
  }
}

}  // namespace

void CheckTiles(Game& game) {
  Head(game);
  Sides(game);
  Feet(game).Run();
  Centre(game);
}

}  // namespace moriva
