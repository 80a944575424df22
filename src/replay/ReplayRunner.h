#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "replay/ReplayScript.h"

namespace moriva {

class Game;

// The exit status for a bad script line or a file that cannot be read or written.
constexpr int kReplayBadInput = 2;
struct basMoriva;

// Runs a replay script headless: the game of the window, unpaced on a virtual clock, with
// one JSON line per frame written to `trace`. The same script and files give the same trace.
class ReplayRunner {
 public:
  // folder: the program folder (mapdata.dat is read from it, savedata.dat read and written).
  explicit ReplayRunner(std::string folder);
  ~ReplayRunner();

  // Loads the world and pictures and runs the script. Returns the exit status: 0 when the
  // run ended as the script asked, kReplayBadInput when the world cannot be read (`error`
  // says why).
  int Run(const ReplayScript& script, std::ostream& trace, std::string& error);

  // Called after each frame's trace line, with the game: lets tests inspect every frame.
  std::function<void(long frame, const Game& game)> onFrame;

 private:
  std::string folder_;
};

// Reads and runs a script file: the command line of `moriva-tool replay`. Returns the exit
// status: kReplayBadInput for a bad script line (reported on `err` with its line number)
// or a file that cannot be read or written.
int RunReplayCommand(const std::string& folder, const std::string& scriptPath,
                     const std::string& tracePath, std::ostream& out, std::ostream& err);

}  // namespace moriva
