#include "editor/ReplaceField.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace moriva {

namespace {

constexpr int kLowestCode = 0;
constexpr int kHighestCode = 255;
// A field longer than this is quoted only in part in the message.
constexpr std::size_t kQuotedChars = 24;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The text without its blanks, which the reading ignores wherever they stand.
std::string WithoutBlanks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text)
    if (!IsBlank(c)) out.push_back(c);
  return out;
}

double RadixNumber(std::string_view digits, int radix) {
  double value = 0;
  for (char c : digits) {
    int d = -1;
    if (IsDigit(c)) d = c - '0';
    else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
    if (d < 0 || d >= radix) break;
    value = value * radix + d;
  }
  return value;
}

std::string Quote(std::string_view text) {
  if (text.size() <= kQuotedChars) return "\"" + std::string(text) + "\"";
  return "\"" + std::string(text.substr(0, kQuotedChars)) + "...\"";
}

}  // namespace

double LeadingNumber(std::string_view text) {
  const std::string s = WithoutBlanks(text);
  std::size_t i = 0;
  if (s.size() >= 2 && s[0] == '&') {
    const char kind = s[1];
    if (kind == 'h' || kind == 'H') return RadixNumber(std::string_view(s).substr(2), 16);
    if (kind == 'o' || kind == 'O') return RadixNumber(std::string_view(s).substr(2), 8);
    return 0;
  }
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';

  // The longest prefix of the form digits [. digits] [e|d [sign] digits].
  std::string number;
  while (i < s.size() && IsDigit(s[i])) number.push_back(s[i++]);
  if (i < s.size() && s[i] == '.') {
    number.push_back(s[i++]);
    while (i < s.size() && IsDigit(s[i])) number.push_back(s[i++]);
  }
  if (number.empty() || number == ".") return 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) exponent.push_back(s[j++]);
    const std::size_t firstDigit = j;
    while (j < s.size() && IsDigit(s[j])) exponent.push_back(s[j++]);
    if (j > firstDigit) number += exponent;
  }
  double value = 0;
  const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (ec == std::errc::result_out_of_range) {
    // Too large or too small for a double: only the sign and the magnitude class matter.
    const bool huge = number.find("e-") == std::string::npos;
    value = huge ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (ec != std::errc()) {
    value = 0;
  }
  (void)end;
  return negative ? -value : value;
}

ReplaceFieldReading ReadReplaceField(std::string_view text) {
  // nearbyint rounds in the default mode, to nearest with halves to even.
  const double rounded = std::nearbyint(LeadingNumber(text));
  if (!(rounded >= kLowestCode && rounded <= kHighestCode)) {
    ReplaceFieldReading bad;
    bad.ok = false;
    bad.why = Quote(text) + " is not a tile code (0..255)";
    return bad;
  }
  ReplaceFieldReading good;
  good.code = static_cast<std::uint8_t>(rounded);
  return good;
}

}  // namespace moriva
