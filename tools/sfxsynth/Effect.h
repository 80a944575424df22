#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace moriva::sfx {

enum class Wave { kSine, kTriangle, kSquare, kSaw, kNoise };

// One sound source of an effect: a wave with a pitch glide, an envelope, and optional
// modulation and filtering. Times are seconds from the effect's start.
struct Voice {
  Wave wave = Wave::kSine;
  double start = 0, dur = 0.1;
  double freq = 440, to = 0;  // to = 0: no glide
  bool expSweep = true;
  double attack = 0.002, decay = 0, release = 0.02;
  double gain = 1;
  double duty = 0.5;
  double vibRate = 0, vibDepth = 0;    // depth: fraction of the frequency
  double tremRate = 0, tremDepth = 0;  // depth: fraction of the level
  double fmRatio = 0, fmIndex = 0, fmIndexTo = -1;
  double lowpass = 0, lowpassTo = 0, highpass = 0, highpassTo = 0;
  double crackle = 0;  // bursts a second chopping the voice into crackles
  std::uint32_t seed = 1;
  int line = 0;
};

struct Effect {
  int rate = 44100;
  double length = 0.2;
  double peakDb = -1.0;
  // When set (below 0): the level of the loudest 100 ms (RMS, dBFS) the effect is scaled
  // to, with peakDb as the ceiling that no sample passes. Unset: the peak alone decides.
  double loudnessDb = 0;
  double fadeIn = 0.002, fadeOut = 0.01;
  double echoDelay = 0, echoFeedback = 0;
  std::vector<Voice> voices;
};

class SfxError : public std::runtime_error {
 public:
  SfxError(int line, const std::string& message) : std::runtime_error("line " + std::to_string(line) + ": " + message) {}
};

// Reads the parameter text of docs/effects-format.md; throws SfxError.
Effect ParseEffect(const std::string& text);

// Mixes the voices, adds the echo, fades the edges and scales the result: to the loudness
// target when there is one (never past the peak), else the loudest sample to the peak.
std::vector<std::int16_t> RenderEffect(const Effect& effect);

// The RMS level of the loudest `seconds` of the samples (the whole when shorter), as a
// fraction of full scale.
double LoudestRms(const std::vector<double>& samples, int rate, double seconds);

// A 16-bit mono PCM RIFF/WAVE file.
std::vector<std::uint8_t> WavFile(const std::vector<std::int16_t>& samples, int rate);

}  // namespace moriva::sfx
