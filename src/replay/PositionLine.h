#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "game/Game.h"
#include "replay/ReplayScript.h"

namespace moriva {

struct basMoriva;

// One JSON line with the frame and the hero's block and position, written as the replay
// trace writes those fields, so that a run in the window can be laid beside a headless one.
void WritePositionLine(std::ostream& out, long frame, const Game& game);

// A float as the trace writes it: shortest round-trip text, `null` when not finite.
std::string TraceNumber(float v);

// How a run ended, as the trace's closing line names it.
const char* EndReason(RunResult result);

// Puts the hero where a script's start, items and switch lines say, after ReturnToTitle and
// before the title choice (the runner, the demo player and the route search agree on it).
void ApplyScriptStart(Game& game, basMoriva& mod, const std::optional<ReplayScript::Start>& start,
                      const std::vector<int>& items, std::optional<std::int16_t> switchOn);

}  // namespace moriva
