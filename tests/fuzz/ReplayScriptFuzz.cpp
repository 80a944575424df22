// The replay script parser: any text is read or refused with a line number inside the text.

#include <algorithm>
#include <sstream>

#include "FuzzSupport.h"
#include "replay/ReplayScript.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace moriva;
  const std::string text = fuzz::AsText(data, size);
  std::istringstream in(text);
  ReplayScript script;
  ReplayScriptError error;
  if (!ParseReplayScript(in, script, error)) {
    const long lines = std::count(text.begin(), text.end(), '\n') + 1;
    fuzz::Require(error.line >= 1 && error.line <= lines && !error.message.empty(), "a refusal names its line and why");
    return 0;
  }
  for (const auto& change : script.keys)
    fuzz::Require(change.key >= 0 && change.key <= 255 && change.frame >= 1, "virtual keys, frames from 1");
  for (const int item : script.items) fuzz::Require(item >= 0 && item <= 9, "items are 0..9");
  fuzz::Require(script.frames >= 0, "the frame count is not negative");
  return 0;
}
