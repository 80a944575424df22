// moriva-mmlc: compiles a text score (docs/music-format.md) into a Standard MIDI File.
#include <sstream>

#include "GeneratorMain.h"
#include "MmlCompiler.h"
#include "SmfWriter.h"

int main(int argc, char** argv) {
  return moriva::generator::RunGenerator<moriva::mml::MmlError>(
      argc, argv, "moriva-mmlc SCORE.mml OUT.mid", [](const std::string& text, std::string& summary) {
        const moriva::mml::Score score = moriva::mml::CompileMml(text);
        std::ostringstream described;
        described << score.tracks.size() << " tracks, " << score.seconds << " s";
        summary = described.str();
        return moriva::mml::WriteSmf(score);
      });
}
