#pragma once

#include <array>

namespace moriva {

class Game;

constexpr int kEndingIntervalMs = 60;  // tmrEnding
constexpr int kEndingLastTick = 400;   // prints the closing text and stops the timer

// The narration, lines joined by CR LF pairs, and the nine closing lines (UTF-8).
extern const char* const kEndingNarration;
extern const std::array<const char*, 9> kEndingClosingLines;

// Turns the play screen into the end screen and starts tmrEnding. Called by the main loop
// when the goal countdown runs out; the loop returns right after.
void ShowEnding(Game& game);

// One tick of tmrEnding: the narration rises, then the music starts, and at the last tick
// the closing text is printed. Does nothing while the timer is stopped.
void tmrEnding_Timer(Game& game);

}  // namespace moriva
