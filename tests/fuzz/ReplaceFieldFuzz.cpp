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
  fuzz::Require(reading.ok ? std::isfinite(number) && std::nearbyint(number) == reading.code : !reading.why.empty(),
                "a refusal says why; a code is the field's finite number rounded half to even");
  return 0;
}
