#include "replay/ReplayScript.h"

#include <charconv>
#include <cmath>
#include <sstream>

#include "platform/KeyCodes.h"

namespace moriva {

namespace {

constexpr int kWorldBlocks = 5;
constexpr int kItems = 10;

template <typename T>
bool ParseNumber(const std::string& word, T& out) {
  const char* first = word.data();
  const char* last = first + word.size();
  auto [end, ec] = std::from_chars(first, last, out);
  return ec == std::errc() && end == last;
}

bool ParseFloat(const std::string& word, float& out) {
  double v = 0;
  if (!ParseNumber(word, v) || !std::isfinite(v)) return false;
  out = static_cast<float>(v);
  return true;
}

// One line's words, without the comment.
std::vector<std::string> Words(const std::string& line) {
  std::string text = line.substr(0, line.find('#'));
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

}  // namespace

int ReplayKeyCode(const std::string& name) {
  struct Named {
    const char* name;
    int code;
  };
  static constexpr Named kNames[] = {
      {"Left", vk::kLeft},   {"Right", vk::kRight}, {"Up", vk::kUp}, {"Down", vk::kDown},
      {"Space", vk::kSpace}, {"Enter", vk::kEnter}, {"S", vk::kS},   {"L", vk::kL},
      {"Q", vk::kQ},
  };
  for (const Named& n : kNames)
    if (name == n.name) return n.code;
  if (name.size() == 2 && name[0] == 'D' && name[1] >= '0' && name[1] <= '9')
    return vk::kDigit0 + (name[1] - '0');
  int code = -1;
  if (ParseNumber(name, code) && code >= 0 && code < vk::kCount) return code;
  return -1;
}

bool ParseReplayScript(std::istream& in, ReplayScript& script, ReplayScriptError& error) {
  int lineNo = 0;
  const auto fail = [&](std::string message) {
    error.line = lineNo;
    error.message = std::move(message);
    return false;
  };
  for (std::string line; std::getline(in, line);) {
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::vector<std::string> w = Words(line);
    if (w.empty()) continue;
    const std::string& cmd = w[0];
    if (cmd == "title") {
      if (w.size() != 2 || (w[1] != "new" && w[1] != "continue"))
        return fail("expected: title new|continue");
      script.continueGame = w[1] == "continue";
    } else if (cmd == "start") {
      ReplayScript::Start s{};
      if (w.size() != 5 || !ParseNumber(w[1], s.BlockX) || !ParseNumber(w[2], s.BlockY) ||
          !ParseFloat(w[3], s.HeroX) || !ParseFloat(w[4], s.HeroY))
        return fail("expected: start BX BY X Y");
      if (s.BlockX < 0 || s.BlockX >= kWorldBlocks || s.BlockY < 0 || s.BlockY >= kWorldBlocks)
        return fail("block indices must be 0..4");
      script.start = s;
    } else if (cmd == "items") {
      for (std::size_t i = 1; i < w.size(); ++i) {
        int item = -1;
        if (!ParseNumber(w[i], item) || item < 0 || item >= kItems)
          return fail("item numbers must be 0..9, not '" + w[i] + "'");
        script.items.push_back(item);
      }
    } else if (cmd == "switch") {
      if (w.size() != 2 || (w[1] != "0" && w[1] != "1")) return fail("expected: switch 0|1");
      script.switchOn = static_cast<std::int16_t>(w[1] == "1");
    } else if (cmd == "at") {
      long frame = 0;
      if (w.size() < 4 || !ParseNumber(w[1], frame) || frame < 1 ||
          (w[2] != "press" && w[2] != "release"))
        return fail("expected: at F press|release KEY ... (F from 1)");
      for (std::size_t i = 3; i < w.size(); ++i) {
        const int key = ReplayKeyCode(w[i]);
        if (key < 0) return fail("unknown key '" + w[i] + "'");
        script.keys.push_back({frame, key, w[2] == "press"});
      }
    } else if (cmd == "answer") {
      if (w.size() < 2) return fail("expected: answer yes|no ...");
      for (std::size_t i = 1; i < w.size(); ++i) {
        if (w[i] != "yes" && w[i] != "no") return fail("answers are yes or no, not '" + w[i] + "'");
        script.answers.push_back(w[i] == "yes");
      }
    } else if (cmd == "frames") {
      long n = 0;
      if (w.size() != 2 || !ParseNumber(w[1], n) || n < 1) return fail("expected: frames N (N from 1)");
      script.frames = n;
    } else if (cmd == "ending") {
      long n = 0;
      if (w.size() != 2 || !ParseNumber(w[1], n) || n < 0) return fail("expected: ending N (N from 0)");
      script.endingTicks = n;
    } else {
      return fail("unknown command '" + cmd + "'");
    }
  }
  return true;
}

}  // namespace moriva
