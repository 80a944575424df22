#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

// Shared by the fuzz targets: each defines LLVMFuzzerTestOneInput, which libFuzzer drives
// or CorpusMain.cpp replays over the saved inputs.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace moriva::fuzz {

// A property every input must keep. A broken one is a finding: abort, so the fuzzer saves
// the input and the corpus test fails.
inline void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "broken: %s\n", what);
  std::abort();
}

inline std::string AsText(const std::uint8_t* data, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

}  // namespace moriva::fuzz
