// moriva-sfxsynth: renders an effect's synthesis parameters (docs/effects-format.md) to a WAV.
#include "Effect.h"
#include "GeneratorMain.h"

int main(int argc, char** argv) {
  return moriva::generator::RunGenerator<moriva::sfx::SfxError>(
      argc, argv, "moriva-sfxsynth EFFECT.sfx OUT.wav", [](const std::string& text, std::string&) {
        const moriva::sfx::Effect effect = moriva::sfx::ParseEffect(text);
        return moriva::sfx::WavFile(moriva::sfx::RenderEffect(effect), effect.rate);
      });
}
