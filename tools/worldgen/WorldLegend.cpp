#include "WorldLegend.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace moriva::worldgen {
namespace {

bool IsComment(const std::string& line) {
  if (line.rfind("//", 0) == 0) return true;
  for (char c : line) {
    if (!std::isspace(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

// Printable, not blank: a space would vanish under editors that trim lines.
bool IsTileCharacter(char c) { return c > ' ' && c < 127; }

std::string Quoted(char c) { return std::string("'") + c + "'"; }

}  // namespace

WorldLegend WorldLegend::Parse(const std::string& text, const std::string& fileName,
                               SourceErrors& errors) {
  WorldLegend legend;
  legend.codeOf_.fill(-1);
  std::istringstream in(text);
  std::string line;
  int lineNo = 0;
  auto fail = [&](int column, const std::string& message) {
    errors.push_back({fileName, lineNo, column, message});
  };
  while (std::getline(in, line)) {
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (IsComment(line)) continue;
    const char c = line[0];
    if (!IsTileCharacter(c)) {
      fail(1, "a legend line must start with a printable, non-blank character");
      continue;
    }
    std::size_t pos = 1;
    if (pos >= line.size() || !std::isspace(static_cast<unsigned char>(line[pos]))) {
      fail(2, "expected a space between the character and its tile code");
      continue;
    }
    while (pos < line.size() && std::isspace(static_cast<unsigned char>(line[pos]))) ++pos;
    const std::size_t codeStart = pos;
    int code = 0;
    while (pos < line.size() && std::isdigit(static_cast<unsigned char>(line[pos]))) {
      code = std::min(code * 10 + (line[pos] - '0'), 1000);
      ++pos;
    }
    const int column = static_cast<int>(codeStart) + 1;
    if (pos == codeStart ||
        (pos < line.size() && !std::isspace(static_cast<unsigned char>(line[pos])))) {
      fail(column, "expected a tile code (a whole number 0.." + std::to_string(kTileCodes - 1) +
                       ") after " + Quoted(c));
      continue;
    }
    if (code >= kTileCodes) {
      fail(column, "tile code " + std::to_string(code) + " has no picture (codes are 0.." +
                       std::to_string(kTileCodes - 1) + ")");
      continue;
    }
    const auto index = static_cast<std::size_t>(c);
    if (legend.codeOf_[index] >= 0) {
      fail(1, "character " + Quoted(c) + " is already defined on line " +
                  std::to_string(legend.lineOf_[static_cast<std::size_t>(legend.codeOf_[index])]));
      continue;
    }
    const auto codeIndex = static_cast<std::size_t>(code);
    if (legend.charOf_[codeIndex] != 0) {
      fail(column, "tile code " + std::to_string(code) + " already has the character " +
                       Quoted(legend.charOf_[codeIndex]) + " (line " +
                       std::to_string(legend.lineOf_[codeIndex]) + ")");
      continue;
    }
    legend.codeOf_[index] = static_cast<std::int16_t>(code);
    legend.charOf_[codeIndex] = c;
    legend.lineOf_[codeIndex] = lineNo;
    ++legend.size_;
  }
  if (legend.size_ == 0 && errors.empty()) {
    errors.push_back({fileName, 0, 0, "the legend defines no characters"});
  }
  return legend;
}

std::optional<std::uint8_t> WorldLegend::Code(char c) const {
  const auto index = static_cast<unsigned char>(c);
  if (index >= codeOf_.size() || codeOf_[index] < 0) return std::nullopt;
  return static_cast<std::uint8_t>(codeOf_[index]);
}

std::optional<char> WorldLegend::Character(std::uint8_t code) const {
  const char c = charOf_[code];
  if (c == 0) return std::nullopt;
  return c;
}

}  // namespace moriva::worldgen
