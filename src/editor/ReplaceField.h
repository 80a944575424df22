#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace moriva {

// What one of Replace's two text fields says.
struct ReplaceFieldReading {
  bool ok = true;            // false: the text names no tile code and Replace must not run
  std::uint8_t code = 0;     // the tile code when ok
  std::string why;           // when not ok: one line for the window, naming the text
};

// The number at the start of the text, read the way a world builder's fields have always
// been read: blanks anywhere are skipped, then an optional sign, digits with an optional
// fraction and exponent (or &H / &O for hex and octal); reading stops at the first other
// character. An empty or non-numeric text is 0. The value is rounded to the nearest whole
// number, a half to the even neighbour.
double LeadingNumber(std::string_view text);

// The field's tile code: LeadingNumber rounded half to even, which must lie in 0..255.
// Never throws, whatever the text holds.
ReplaceFieldReading ReadReplaceField(std::string_view text);

}  // namespace moriva
