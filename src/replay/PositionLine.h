#pragma once

#include <ostream>

namespace moriva {

class Game;

// One JSON line with the frame and the hero's block and position, written as the replay
// trace writes those fields, so that a run in the window can be laid beside a headless one.
void WritePositionLine(std::ostream& out, long frame, const Game& game);

}  // namespace moriva
