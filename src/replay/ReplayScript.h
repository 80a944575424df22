#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace moriva {

// A headless game session as written in a replay script (see docs/replay.md).
struct ReplayScript {
  struct KeyChange {
    long frame;      // applied before this frame runs; frames count from 1
    int key;         // virtual key 0..255
    bool pressed;
  };
  struct Start {
    std::int16_t BlockX, BlockY;
    float HeroX, HeroY;
  };

  bool continueGame = false;           // "title continue"
  std::optional<Start> start;
  std::vector<int> items;
  std::optional<std::int16_t> switchOn;
  std::vector<KeyChange> keys;         // in script order
  std::vector<bool> answers;
  long frames = 0;                     // 0: until play ends, at most kDefaultFrameLimit
  long endingTicks = 0;                // "ending N": tmrEnding ticks run once the ending began

  static constexpr long kDefaultFrameLimit = 100000;
};

// Why a script was rejected: its 1-based line and what is wrong with it.
struct ReplayScriptError {
  int line = 0;
  std::string message;
};

// Reads a script. False and `error` set on the first bad line.
bool ParseReplayScript(std::istream& in, ReplayScript& script, ReplayScriptError& error);

// The virtual key of a script key name (Left, Right, Up, Down, Space, Enter, S, L, Q,
// D0..D9, or a number 0..255), or -1.
int ReplayKeyCode(const std::string& name);

}  // namespace moriva
