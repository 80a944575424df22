// The score compiler: any text compiles to a piece that writes as a MIDI file, or is
// refused with a line of the text.

#include <algorithm>

#include "FuzzSupport.h"
#include "MmlCompiler.h"
#include "SmfWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace moriva::mml;
  const std::string text = moriva::fuzz::AsText(data, size);
  try {
    moriva::fuzz::Require(WriteSmf(CompileMml(text)).size() >= 14, "a MIDI file has its header");
  } catch (const MmlError& e) {
    const long lines = std::count(text.begin(), text.end(), '\n') + 1;
    moriva::fuzz::Require(e.line() >= 0 && e.line() <= lines, "the fault's line is in the text");
  }
  return 0;
}
