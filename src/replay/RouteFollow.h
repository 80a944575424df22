#pragma once

#include <functional>
#include <string>

#include "replay/ReplayScript.h"

namespace moriva {

class Game;
class Surface;
struct basMoriva;

// Plays a replay script on a world held in memory, as the replay runner plays it, and calls
// `onFrame` after every frame: how the route checker follows a known route through the
// states it found, on the very world it searched.
void PlayRouteScript(const basMoriva& world, const Surface& tiles, const Surface& sprites,
                     const std::string& folder, const ReplayScript& script,
                     const std::function<void(long frame, const Game& game)>& onFrame);

}  // namespace moriva
