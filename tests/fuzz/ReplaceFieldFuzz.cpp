// The editor's Replace fields: any text is a tile code 0..255 or a refusal that says why,
// never an exception, and a code is always the field's number rounded.

#include <cmath>

#include "FuzzSupport.h"
#include "editor/ReplaceField.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace moriva;
  const std::string text = fuzz::AsText(data, size);
  const ReplaceFieldReading reading = ReadReplaceField(text);
  const double number = LeadingNumber(text);
  if (!reading.ok) {
    fuzz::Require(!reading.why.empty(), "a refusal says why");
    return 0;
  }
  fuzz::Require(std::isfinite(number), "only a finite number names a code");
  fuzz::Require(std::nearbyint(number) == reading.code, "the code is the number rounded half to even");
  return 0;
}
