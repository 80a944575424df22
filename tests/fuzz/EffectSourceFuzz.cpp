// The effect source reader: any text gives an effect that renders, or is refused.

#include "Effect.h"
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace moriva::sfx;
  using moriva::fuzz::Require;
  // Rendering long effects is the synthesiser's work, not the reader's: the fuzzer renders
  // only short ones (4,096 samples of all voices), so it spends its time on the text.
  constexpr double kMaxRenderedSamples = 4096;
  try {
    const Effect effect = ParseEffect(moriva::fuzz::AsText(data, size));
    Require(!effect.voices.empty() && (effect.rate == 44100 || effect.rate == 22050), "a voice and a known rate");
    if (effect.length * effect.rate * static_cast<double>(effect.voices.size()) > kMaxRenderedSamples) return 0;
    const std::vector<std::int16_t> samples = RenderEffect(effect);
    Require(WavFile(samples, effect.rate).size() == 44 + 2 * samples.size(), "the WAV file holds every sample");
  } catch (const SfxError&) {
  }
  return 0;
}
