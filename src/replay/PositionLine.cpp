#include "replay/PositionLine.h"

#include <cmath>
#include <cstdio>

#include "game/Game.h"
#include "world/basMoriva.h"

namespace moriva {

std::string TraceNumber(float v) {
  if (!std::isfinite(v)) return "null";
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(v));
  return buf;
}

const char* EndReason(RunResult result) {
  switch (result) {
    case RunResult::Title: return "title";
    case RunResult::Ending: return "ending";
    case RunResult::Stopped: return "frames";
    case RunResult::Closed: return "closed";
  }
  return "frames";
}

void ApplyScriptStart(Game& game, basMoriva& mod, const std::optional<ReplayScript::Start>& start,
                      const std::vector<int>& items, std::optional<std::int16_t> switchOn) {
  GameState& st = game.state();
  if (start) {
    mod.BlockX = start->BlockX;
    mod.BlockY = start->BlockY;
    st.HeroX = start->HeroX;
    st.HeroY = start->HeroY;
  }
  for (int item : items) {
    st.HaveItem[item] = 1;
    st.ItemVisible[item] = true;
  }
  if (switchOn) st.SwitchOn = *switchOn;
}

void WritePositionLine(std::ostream& out, long frame, const Game& game) {
  const GameState& st = game.state();
  out << "{\"frame\": " << frame << ", \"BlockX\": " << game.module().BlockX
      << ", \"BlockY\": " << game.module().BlockY << ", \"HeroX\": " << TraceNumber(st.HeroX)
      << ", \"HeroY\": " << TraceNumber(st.HeroY) << "}\n";
}

}  // namespace moriva
