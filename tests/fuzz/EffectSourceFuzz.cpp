// The effect source reader: any text gives an effect that renders, or is refused.

#include "Effect.h"
#include "FuzzSupport.h"

namespace {
// Rendering long effects is the synthesiser's work, not the reader's: the fuzzer renders
// only short ones, so it spends its time on the text.
constexpr double kMaxRenderedSamples = 4096;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace moriva::sfx;
  try {
    const Effect effect = ParseEffect(moriva::fuzz::AsText(data, size));
    moriva::fuzz::Require(!effect.voices.empty(), "an effect has a voice");
    moriva::fuzz::Require(effect.rate == 44100 || effect.rate == 22050, "the rate is a known one");
    if (effect.length * effect.rate * static_cast<double>(effect.voices.size()) <= kMaxRenderedSamples) {
      const std::vector<std::int16_t> samples = RenderEffect(effect);
      const std::vector<std::uint8_t> wav = WavFile(samples, effect.rate);
      moriva::fuzz::Require(wav.size() == 44 + 2 * samples.size(), "the WAV file holds every sample");
    }
  } catch (const SfxError&) {
  }
  return 0;
}
