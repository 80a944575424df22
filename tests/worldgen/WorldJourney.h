#pragma once

#include <set>
#include <utility>

#include "WorldTiles.h"

namespace moriva::worldgen::test {

// A coarse model of where the hero can get to, one tile per step: he walks, falls, climbs
// ladders, swims with the helmet, throws the rope at hooks and jumps a few rows up and
// across. It does not replace the real physics; it checks the world's plan: what each item
// opens, and that nothing is reachable before its time.
struct HeroReach {
  int jumpRows = 2;       // highest ledge, in tiles, without the jump shoes
  int shoeJumpRows = 4;   // with them
  int driftTiles = 4;     // how far he moves sideways at the top of a jump
};

// Careful figures: a real jump clears these with room to spare.
inline constexpr HeroReach kCarefulReach{2, 4, 4};
// Generous figures: more than a real jump can do (73.5 px, 121.5 px with the shoes).
inline constexpr HeroReach kGenerousReach{3, 4, 6};

using Cell = std::pair<int, int>;

struct Reach {
  std::set<Cell> cells;   // where the hero's body can be
  std::set<Cell> boxes;   // box tiles his centre can touch
};

// Everything reachable from the start point with `items` (bit i = item i owned); cells in
// `walls` are treated as solid.
Reach Explore(const WorldTiles& world, unsigned items, const HeroReach& reach,
              const std::set<Cell>& walls = {});

}  // namespace moriva::worldgen::test
