#pragma once

#include <functional>
#include <ostream>
#include <utility>
#include <vector>

namespace moriva {

class Game;

// The music of one ending tick, as the headless host saw it.
struct EndingTickMusic {
  std::vector<std::pair<int, bool>> calls;  // BGMPlay(number, notLoop) calls, in order
  bool started = false;                     // the device really opened a piece
};

// Runs up to `ticks` ticks of tmrEnding on a game whose ending has begun, writing one JSON
// line a tick: {"EndingTick", "LabelTop", "LabelVisible", "music", "MusicStarted",
// "printed"}. takeMusic hands over (and forgets) what the host's music did since the last
// call. Stops early when the timer has stopped, as the window's timer does; returns the
// number of ticks run.
long WriteEndingTicks(Game& game, long ticks, std::ostream& trace,
                      const std::function<EndingTickMusic()>& takeMusic);

}  // namespace moriva
