#pragma once

#include <cstdint>
#include <span>

namespace moriva {

struct PlaySnapshot;

// Held-key bits of a move, in the order of kPlayKeys.
namespace movekey {
constexpr std::uint8_t kLeft = 1, kRight = 2, kUp = 4, kDown = 8, kSpace = 16, kEnter = 32;
}

// Keys held for a number of frames; a phase of 0 frames is not used.
struct MovePhase {
  std::uint8_t keys = 0;
  std::uint8_t frames = 0;
};

// One short step of a route: the keys held phase after phase. A move that waits out a
// miss or the goal runs until no countdown is left (or the ending starts) instead.
struct RouteMove {
  const char* name;
  MovePhase first;
  MovePhase second;
  bool waitsOutCountdown = false;

  int frames() const { return first.frames + second.frames; }
};

// Every move the route search knows, indexed by a move number.
std::span<const RouteMove> AllRouteMoves();

// The numbers of the moves worth trying from a moment of play: walking, jumping with each
// hold length and throwing the rope on the ground, steering in the air, climbing on a
// ladder, swimming, floating, and waiting out a miss. Written into `out`; returns the count.
int MovesFor(const PlaySnapshot& at, std::uint16_t* out, int capacity);

}  // namespace moriva
