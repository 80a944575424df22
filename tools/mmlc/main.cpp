// moriva-mmlc: compiles a text score (docs/music-format.md) into a Standard MIDI File.
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "MmlCompiler.h"
#include "SmfWriter.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: moriva-mmlc SCORE.mml OUT.mid\n";
    return 2;
  }
  std::ifstream in(argv[1]);
  if (!in) {
    std::cerr << argv[1] << ": cannot be read\n";
    return 1;
  }
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  try {
    const moriva::mml::Score score = moriva::mml::CompileMml(text);
    const std::vector<std::uint8_t> smf = moriva::mml::WriteSmf(score);
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(smf.data()), static_cast<std::streamsize>(smf.size()));
    if (!out.flush()) {
      std::cerr << argv[2] << ": cannot be written\n";
      return 1;
    }
    std::cout << argv[2] << ": " << score.tracks.size() << " tracks, " << score.seconds << " s\n";
  } catch (const moriva::mml::MmlError& e) {
    std::cerr << argv[1] << ":" << e.what() << "\n";
    return 1;
  }
  return 0;
}
