// moriva-sfxsynth: renders an effect's synthesis parameters (docs/effects-format.md) to a WAV.
#include <fstream>
#include <iostream>
#include <iterator>

#include "Effect.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: moriva-sfxsynth EFFECT.sfx OUT.wav\n";
    return 2;
  }
  std::ifstream in(argv[1]);
  if (!in) {
    std::cerr << argv[1] << ": cannot be read\n";
    return 1;
  }
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  try {
    const moriva::sfx::Effect effect = moriva::sfx::ParseEffect(text);
    const std::vector<std::uint8_t> wav = moriva::sfx::WavFile(moriva::sfx::RenderEffect(effect), effect.rate);
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(wav.data()), static_cast<std::streamsize>(wav.size()));
    if (!out.flush()) {
      std::cerr << argv[2] << ": cannot be written\n";
      return 1;
    }
  } catch (const moriva::sfx::SfxError& e) {
    std::cerr << argv[1] << ":" << e.what() << "\n";
    return 1;
  }
  return 0;
}
