#include "replay/EndingTrace.h"

#include <cstdio>
#include <string>

#include "game/Ending.h"
#include "game/Game.h"

namespace moriva {

namespace {

void AppendJsonString(std::string& out, const char* text) {
  out += '"';
  for (const char* p = text; *p != '\0'; ++p) {
    const auto ch = static_cast<unsigned char>(*p);
    if (ch == '"' || ch == '\\') {
      out += '\\';
      out += static_cast<char>(ch);
    } else if (ch < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", ch);
      out += escaped;
    } else {
      out += static_cast<char>(ch);
    }
  }
  out += '"';
}

const char* JsonBool(bool b) { return b ? "true" : "false"; }

}  // namespace

long WriteEndingTicks(Game& game, long ticks, std::ostream& trace,
                      const std::function<EndingTickMusic()>& takeMusic) {
  const EndingScreen& screen = game.state().Ending;
  takeMusic();  // what happened before the first tick belongs to the last frame
  long run = 0;
  std::string line;
  for (; run < ticks && screen.TimerRunning; ++run) {
    const int printedBefore = screen.PrintedCount;
    tmrEnding_Timer(game);
    const EndingTickMusic music = takeMusic();

    line = "{\"EndingTick\": " + std::to_string(game.state().EndingTick);
    line += ", \"LabelTop\": " + std::to_string(screen.LabelTop);
    line += ", \"LabelVisible\": ";
    line += JsonBool(screen.LabelVisible);
    line += ", \"music\": [";
    for (std::size_t i = 0; i < music.calls.size(); ++i) {
      line += i ? ", [" : "[";
      line += std::to_string(music.calls[i].first) + ", " + JsonBool(music.calls[i].second) + "]";
    }
    line += "], \"MusicStarted\": ";
    line += JsonBool(music.started);
    line += ", \"printed\": [";
    for (int i = printedBefore; i < screen.PrintedCount; ++i) {
      const EndingPrint& print = screen.Printed[static_cast<std::size_t>(i)];
      line += i > printedBefore ? ", " : "";
      line += "{\"x\": " + std::to_string(print.X) + ", \"y\": " + std::to_string(print.Y) +
              ", \"text\": ";
      AppendJsonString(line, print.Text);
      line += "}";
    }
    line += "]}\n";
    trace << line;
  }
  return run;
}

}  // namespace moriva
