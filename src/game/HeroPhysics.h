#pragma once

namespace moriva {

class Game;

// The hero's state step (frame step 2): drag, gravity and the movement keys by HeroState,
// jumping and throwing the rope.
void HeroStateStep(Game& game);

// The rope climb (frame step 4); does nothing unless the rope is out (RopeRow > 0).
void RopeClimb(Game& game);

// Speed limits, movement and the block edges (frame step 5); crossing an edge enters the
// neighbouring block.
void MoveAndBlockEdges(Game& game);

}  // namespace moriva
