#include "replay/PositionLine.h"

#include <cmath>
#include <cstdio>

#include "game/Game.h"
#include "world/basMoriva.h"

namespace moriva {

namespace {
std::string Number(float v) {
  if (!std::isfinite(v)) return "null";
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(v));
  return buf;
}
}  // namespace

void WritePositionLine(std::ostream& out, long frame, const Game& game) {
  const GameState& st = game.state();
  out << "{\"frame\": " << frame << ", \"BlockX\": " << game.module().BlockX
      << ", \"BlockY\": " << game.module().BlockY << ", \"HeroX\": " << Number(st.HeroX)
      << ", \"HeroY\": " << Number(st.HeroY) << "}\n";
}

}  // namespace moriva
