#include "replay/RouteMoves.h"

#include <array>

#include "game/GameState.h"
#include "game/PhysicsConstants.h"
#include "replay/PlaySnapshot.h"

namespace moriva {

namespace {

using namespace physics;

using namespace movekey;

// Short walks place the hero for a jump; long ones cover ground.
constexpr std::uint8_t kNudge = 4;
constexpr std::uint8_t kWalk = 12;
constexpr std::uint8_t kWait = 8;
constexpr std::uint8_t kSteer = 4;     // air control and climbing steps
constexpr std::uint8_t kAfterLift = 4; // a jump keeps its direction this long after the lift
constexpr std::uint8_t kSwim = 8;
constexpr std::uint8_t kRopeWait = 7;

constexpr RouteMove kMoves[] = {
    // Ground: 0..4.
    {"left", {kLeft, kWalk}, {}},
    {"right", {kRight, kWalk}, {}},
    {"nudge left", {kLeft, kNudge}, {}},
    {"nudge right", {kRight, kNudge}, {}},
    {"wait", {0, kWait}, {}},
    // Jumps, 5..19: hold 1, 3, 5, 7, 9 frames, straight up, left and right.
    {"jump 1", {kSpace, 1}, {0, kAfterLift}},
    {"jump 3", {kSpace, 3}, {0, kAfterLift}},
    {"jump 5", {kSpace, 5}, {0, kAfterLift}},
    {"jump 7", {kSpace, 7}, {0, kAfterLift}},
    {"jump 9", {kSpace, 9}, {0, kAfterLift}},
    {"jump left 1", {kSpace | kLeft, 1}, {kLeft, kAfterLift}},
    {"jump left 3", {kSpace | kLeft, 3}, {kLeft, kAfterLift}},
    {"jump left 5", {kSpace | kLeft, 5}, {kLeft, kAfterLift}},
    {"jump left 7", {kSpace | kLeft, 7}, {kLeft, kAfterLift}},
    {"jump left 9", {kSpace | kLeft, 9}, {kLeft, kAfterLift}},
    {"jump right 1", {kSpace | kRight, 1}, {kRight, kAfterLift}},
    {"jump right 3", {kSpace | kRight, 3}, {kRight, kAfterLift}},
    {"jump right 5", {kSpace | kRight, 5}, {kRight, kAfterLift}},
    {"jump right 7", {kSpace | kRight, 7}, {kRight, kAfterLift}},
    {"jump right 9", {kSpace | kRight, 9}, {kRight, kAfterLift}},
    // Rope, 20.
    {"rope", {kEnter, 1}, {0, kRopeWait}},
    // Air, 21..23.
    {"drift left", {kLeft, kSteer}, {}},
    {"drift right", {kRight, kSteer}, {}},
    {"drift", {0, kSteer}, {}},
    // Ladder, 24..31.
    {"climb up", {kUp, kSteer}, {}},
    {"climb down", {kDown, kSteer}, {}},
    {"climb left", {kLeft, kSteer}, {}},
    {"climb right", {kRight, kSteer}, {}},
    {"climb up left", {kUp | kLeft, kSteer}, {}},
    {"climb up right", {kUp | kRight, kSteer}, {}},
    {"climb down left", {kDown | kLeft, kSteer}, {}},
    {"climb down right", {kDown | kRight, kSteer}, {}},
    // Water and float areas, 32..37.
    {"swim left", {kLeft, kSwim}, {}},
    {"swim right", {kRight, kSwim}, {}},
    {"swim up", {kSpace, kSwim}, {}},
    {"swim up left", {kSpace | kLeft, kSwim}, {}},
    {"swim up right", {kSpace | kRight, kSwim}, {}},
    {"sink", {0, kSwim}, {}},
    // A miss or the goal being played out, 38.
    {"wait out", {}, {}, true},
    // While the rope climbs, 39..40: a direction held as the climb ends steps off at once.
    {"ride left", {kLeft, kWait}, {}},
    {"ride right", {kRight, kWait}, {}},
};

constexpr std::uint16_t kGround[] = {0, 1, 2, 3, 4};
constexpr std::uint16_t kFirstJump = 5;
constexpr std::uint16_t kJumpHolds = 5;
constexpr std::uint16_t kJumpDirections = 3;
constexpr std::uint16_t kRope = 20;
constexpr std::uint16_t kAir[] = {21, 22, 23};
constexpr std::uint16_t kLadder[] = {24, 25, 26, 27, 28, 29, 30, 31};
constexpr std::uint16_t kWater[] = {32, 33, 34, 35, 36, 37};
constexpr std::uint16_t kWhileRopeRuns[] = {4, 39, 40};
constexpr std::uint16_t kWaitOut = 38;
constexpr int kHoldsWithoutShoes = 4;  // 9 frames of lift need the shoes

}  // namespace

std::span<const RouteMove> AllRouteMoves() { return kMoves; }

int MovesFor(const PlaySnapshot& at, std::uint16_t* out, int capacity) {
  int n = 0;
  const auto add = [&](std::uint16_t move) {
    if (n < capacity) out[n++] = move;
  };
  const auto addAll = [&](std::span<const std::uint16_t> moves) {
    for (std::uint16_t m : moves) add(m);
  };
  if (at.Countdown > 0 || at.HeroState >= hero::kFirstSequenceState) {
    add(kWaitOut);
    return n;
  }
  if (at.RopeRow > 0) {
    addAll(kWhileRopeRuns);
    return n;
  }
  const bool hasRope = (at.items >> kItemRope) & 1u;
  const bool hasShoes = (at.items >> kItemJumpShoes) & 1u;
  switch (at.HeroState) {
    case hero::kClimbing: addAll(kLadder); return n;
    case hero::kSwimming:
    case hero::kFloating: addAll(kWater); return n;
    default: break;
  }
  const int jumpLimit = kJumpFramesBase + (hasShoes ? kJumpFramesPerShoes : 0);
  const bool onGround = at.JumpFrames == 0;
  if (onGround)
    addAll(kGround);
  else
    addAll(kAir);
  if (at.JumpFrames < jumpLimit) {
    const int holds = hasShoes ? kJumpHolds : kHoldsWithoutShoes;
    for (std::uint16_t d = 0; d < kJumpDirections; ++d)
      for (int h = 0; h < holds; ++h) add(static_cast<std::uint16_t>(kFirstJump + d * kJumpHolds + h));
  }
  if (hasRope) add(kRope);
  return n;
}

}  // namespace moriva
