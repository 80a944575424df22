#include "Effect.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <sstream>

namespace moriva::sfx {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr double kFullScale = 32767.0;
constexpr double kLoudnessWindow = 0.1;  // seconds: the span the loudness target measures
constexpr double kMaxLength = 10.0;
constexpr double kFilterQ = 0.7071;
constexpr double kCrackleGrain = 0.012;  // seconds a crackle lasts

std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

double Number(const std::string& text, int line, const std::string& what, double low, double high) {
  std::size_t used = 0;
  double value = 0;
  try {
    value = std::stod(text, &used);
  } catch (...) {
    used = 0;
  }
  if (used == 0 || used != text.size() || !std::isfinite(value)) throw SfxError(line, what + " must be a number, not '" + text + "'");
  if (value < low || value > high) {
    std::ostringstream range;
    range << what << " must lie in " << low << ".." << high;
    throw SfxError(line, range.str());
  }
  return value;
}

std::pair<double, double> Pair(const std::string& text, int line, const std::string& what, double high1, double high2) {
  const auto colon = text.find(':');
  if (colon == std::string::npos) throw SfxError(line, what + " is written A:B");
  return {Number(text.substr(0, colon), line, what, 0, high1), Number(text.substr(colon + 1), line, what, 0, high2)};
}

Voice ParseVoice(std::istringstream& words, int line, double rate) {
  Voice v;
  v.line = line;
  const double nyquist = rate / 2;
  std::string word;
  while (words >> word) {
    const auto eq = word.find('=');
    if (eq == std::string::npos) throw SfxError(line, "voice setting '" + word + "' needs key=value");
    const std::string key = word.substr(0, eq), value = word.substr(eq + 1);
    if (key == "wave") {
      static const std::map<std::string, Wave> kWaves = {{"sine", Wave::kSine},     {"triangle", Wave::kTriangle},
                                                         {"square", Wave::kSquare}, {"saw", Wave::kSaw},
                                                         {"noise", Wave::kNoise}};
      const auto found = kWaves.find(value);
      if (found == kWaves.end()) throw SfxError(line, "unknown wave '" + value + "'");
      v.wave = found->second;
    } else if (key == "start") {
      v.start = Number(value, line, key, 0, kMaxLength);
    } else if (key == "dur") {
      v.dur = Number(value, line, key, 0.001, kMaxLength);
    } else if (key == "freq") {
      v.freq = Number(value, line, key, 1, nyquist);
    } else if (key == "to") {
      v.to = Number(value, line, key, 1, nyquist);
    } else if (key == "sweep") {
      if (value != "exp" && value != "lin") throw SfxError(line, "sweep is exp or lin");
      v.expSweep = value == "exp";
    } else if (key == "attack") {
      v.attack = Number(value, line, key, 0, kMaxLength);
    } else if (key == "decay") {
      v.decay = Number(value, line, key, 0, kMaxLength);
    } else if (key == "release") {
      v.release = Number(value, line, key, 0, kMaxLength);
    } else if (key == "gain") {
      v.gain = Number(value, line, key, 0, 4);
    } else if (key == "duty") {
      v.duty = Number(value, line, key, 0.05, 0.95);
    } else if (key == "vibrato") {
      std::tie(v.vibRate, v.vibDepth) = Pair(value, line, key, 50, 1);
    } else if (key == "tremolo") {
      std::tie(v.tremRate, v.tremDepth) = Pair(value, line, key, 50, 1);
    } else if (key == "fm") {
      std::tie(v.fmRatio, v.fmIndex) = Pair(value, line, key, 20, 50);
    } else if (key == "fmto") {
      v.fmIndexTo = Number(value, line, key, 0, 50);
    } else if (key == "lowpass") {
      v.lowpass = Number(value, line, key, 10, nyquist * 0.95);
    } else if (key == "lowpassto") {
      v.lowpassTo = Number(value, line, key, 10, nyquist * 0.95);
    } else if (key == "highpass") {
      v.highpass = Number(value, line, key, 10, nyquist * 0.95);
    } else if (key == "highpassto") {
      v.highpassTo = Number(value, line, key, 10, nyquist * 0.95);
    } else if (key == "crackle") {
      v.crackle = Number(value, line, key, 0, 1000);
    } else if (key == "seed") {
      v.seed = static_cast<std::uint32_t>(Number(value, line, key, 1, 1e9));
    } else {
      throw SfxError(line, "unknown voice setting '" + key + "'");
    }
  }
  if (v.attack + v.release > v.dur + 1e-9) throw SfxError(line, "attack and release are longer than the voice");
  return v;
}

// Biquad low- or high-pass (RBJ), recomputed as its cutoff glides.
class Filter {
 public:
  Filter(bool high, double rate) : high_(high), rate_(rate) {}
  double Step(double x, double cutoff) {
    if (cutoff != cutoff_) Tune(cutoff);
    const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_, x1_ = x, y2_ = y1_, y1_ = y;
    return y;
  }

 private:
  void Tune(double cutoff) {
    cutoff_ = cutoff;
    const double w = kTwoPi * cutoff / rate_, alpha = std::sin(w) / (2 * kFilterQ), c = std::cos(w);
    const double a0 = 1 + alpha;
    const double b1 = high_ ? -(1 + c) : 1 - c;
    b0_ = (high_ ? (1 + c) / 2 : (1 - c) / 2) / a0;
    b1_ = b1 / a0;
    b2_ = b0_;
    a1_ = -2 * c / a0;
    a2_ = (1 - alpha) / a0;
  }
  bool high_;
  double rate_;
  double cutoff_ = -1;
  double b0_ = 0, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
  double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

class Noise {
 public:
  explicit Noise(std::uint32_t seed) : state_(seed * 2654435761u + 1) {}
  double Next() {  // -1..1
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<double>(state_ >> 8) / static_cast<double>(1u << 23) - 1.0;
  }

 private:
  std::uint32_t state_;
};

double Glide(double from, double to, double progress, bool exponential) {
  if (to <= 0) return from;
  return exponential ? from * std::pow(to / from, progress) : from + (to - from) * progress;
}

double Envelope(const Voice& v, double t) {
  double level = 1;
  if (v.attack > 0 && t < v.attack) level = t / v.attack;
  if (v.decay > 0 && t > v.attack) level *= std::exp(-(t - v.attack) / v.decay);
  const double untilEnd = v.dur - t;
  if (v.release > 0 && untilEnd < v.release) level *= std::max(0.0, untilEnd / v.release);
  return level;
}

double Oscillator(Wave wave, double phase, double duty) {
  const double p = phase - std::floor(phase);
  switch (wave) {
    case Wave::kSine: return std::sin(kTwoPi * p);
    case Wave::kTriangle: return p < 0.5 ? 4 * p - 1 : 3 - 4 * p;
    case Wave::kSquare: return p < duty ? 1 : -1;
    case Wave::kSaw: return 2 * p - 1;
    case Wave::kNoise: return 0;
  }
  return 0;
}

void AddVoice(const Voice& v, int rate, std::vector<double>& mix) {
  Noise noise(v.seed);
  Noise crackleDice(v.seed + 7919);
  Filter low(false, rate), high(true, rate);
  const auto first = static_cast<std::size_t>(v.start * rate);
  const auto count = static_cast<std::size_t>(v.dur * rate);
  double phase = 0, modPhase = 0, crackleLevel = 0, crackleLeft = 0;
  for (std::size_t i = 0; i < count && first + i < mix.size(); ++i) {
    const double t = static_cast<double>(i) / rate;
    const double progress = t / v.dur;
    double f = Glide(v.freq, v.to, progress, v.expSweep);
    if (v.vibRate > 0) f *= 1 + v.vibDepth * std::sin(kTwoPi * v.vibRate * t);
    double s;
    if (v.wave == Wave::kNoise) {
      s = noise.Next();
    } else if (v.fmRatio > 0) {
      const double index = v.fmIndexTo >= 0 ? v.fmIndex + (v.fmIndexTo - v.fmIndex) * progress : v.fmIndex;
      modPhase += f * v.fmRatio / rate;
      s = std::sin(kTwoPi * phase + index * std::sin(kTwoPi * modPhase));
    } else {
      s = Oscillator(v.wave, phase, v.duty);
    }
    phase += f / rate;
    if (v.lowpass > 0) s = low.Step(s, Glide(v.lowpass, v.lowpassTo, progress, true));
    if (v.highpass > 0) s = high.Step(s, Glide(v.highpass, v.highpassTo, progress, true));
    if (v.crackle > 0) {
      if (crackleLeft <= 0) {
        // Each grain is either a pop or a gap; the dice keep the density near `crackle`.
        crackleLevel = crackleDice.Next() * 0.5 + 0.5 < v.crackle * kCrackleGrain ? 1.0 : 0.08;
        crackleLeft = kCrackleGrain * (0.5 + 0.5 * (crackleDice.Next() * 0.5 + 0.5));
      }
      crackleLeft -= 1.0 / rate;
      s *= crackleLevel;
    }
    if (v.tremRate > 0) s *= 1 - v.tremDepth * (0.5 + 0.5 * std::sin(kTwoPi * v.tremRate * t));
    mix[first + i] += s * v.gain * Envelope(v, t);
  }
}

}  // namespace

Effect ParseEffect(const std::string& text) {
  Effect e;
  std::istringstream lines(text);
  std::string raw;
  int lineNo = 0;
  while (std::getline(lines, raw)) {
    ++lineNo;
    const auto hash = raw.find('#');
    const std::string line = Trim(hash == std::string::npos ? raw : raw.substr(0, hash));
    if (line.empty()) continue;
    std::istringstream words(line);
    std::string keyword;
    words >> keyword;
    std::string a, b;
    if (keyword == "voice") {
      e.voices.push_back(ParseVoice(words, lineNo, e.rate));
      continue;
    }
    words >> a >> b;
    if (keyword == "rate") {
      e.rate = static_cast<int>(Number(a, lineNo, "rate", 8000, 48000));
      if (e.rate != 44100 && e.rate != 22050) throw SfxError(lineNo, "rate is 44100 or 22050");
    } else if (keyword == "length") {
      e.length = Number(a, lineNo, "length", 0.01, kMaxLength);
    } else if (keyword == "peak") {
      e.peakDb = Number(a, lineNo, "peak", -40, -0.1);
    } else if (keyword == "loudness") {
      e.loudnessDb = Number(a, lineNo, "loudness", -60, -1);
    } else if (keyword == "fade") {
      e.fadeIn = Number(a, lineNo, "fade in", 0, 1);
      e.fadeOut = Number(b, lineNo, "fade out", 0, 1);
    } else if (keyword == "echo") {
      e.echoDelay = Number(a, lineNo, "echo delay", 0.01, 1);
      e.echoFeedback = Number(b, lineNo, "echo feedback", 0, 0.9);
    } else {
      throw SfxError(lineNo, "unknown setting '" + keyword + "'");
    }
  }
  if (e.voices.empty()) throw SfxError(lineNo, "an effect needs at least one voice");
  for (const Voice& v : e.voices) {
    if (v.start >= e.length) throw SfxError(v.line, "the voice starts after the effect has ended");
  }
  return e;
}

std::vector<std::int16_t> RenderEffect(const Effect& effect) {
  const auto count = static_cast<std::size_t>(effect.length * effect.rate);
  std::vector<double> mix(count, 0.0);
  for (const Voice& v : effect.voices) AddVoice(v, effect.rate, mix);
  if (effect.echoDelay > 0) {
    const auto delay = static_cast<std::size_t>(effect.echoDelay * effect.rate);
    for (std::size_t i = delay; i < count; ++i) mix[i] += mix[i - delay] * effect.echoFeedback;
  }
  const std::size_t fadeIn = static_cast<std::size_t>(effect.fadeIn * effect.rate);
  const std::size_t fadeOut = static_cast<std::size_t>(effect.fadeOut * effect.rate);
  for (std::size_t i = 0; i < count; ++i) {
    double edge = 1;
    if (i < fadeIn) edge = static_cast<double>(i) / fadeIn;
    if (count - 1 - i < fadeOut) edge = std::min(edge, static_cast<double>(count - 1 - i) / fadeOut);
    mix[i] *= edge;
  }
  double loudest = 0;
  for (double s : mix) loudest = std::max(loudest, std::abs(s));
  double scale = loudest > 0 ? std::pow(10.0, effect.peakDb / 20) * kFullScale / loudest : 0;
  if (effect.loudnessDb < 0) {
    // Effects of one loudness sit evenly against the music whatever their shape: a short
    // click and a long whistle of the same peak sound many decibels apart.
    const double level = LoudestRms(mix, effect.rate, kLoudnessWindow);
    if (level > 0) scale = std::min(scale, std::pow(10.0, effect.loudnessDb / 20) * kFullScale / level);
  }
  std::vector<std::int16_t> out(count);
  for (std::size_t i = 0; i < count; ++i) out[i] = static_cast<std::int16_t>(std::lround(mix[i] * scale));
  return out;
}

double LoudestRms(const std::vector<double>& samples, int rate, double seconds) {
  const std::size_t window = std::min(samples.size(), static_cast<std::size_t>(seconds * rate));
  if (window == 0) return 0;
  double sum = 0;
  for (std::size_t i = 0; i < window; ++i) sum += samples[i] * samples[i];
  double loudest = sum;
  for (std::size_t i = window; i < samples.size(); ++i) {
    sum += samples[i] * samples[i] - samples[i - window] * samples[i - window];
    loudest = std::max(loudest, sum);
  }
  // A sound shorter than the window is measured over the window, as the ear hears it.
  const double span = std::max(static_cast<double>(window), seconds * rate);
  return std::sqrt(std::max(loudest, 0.0) / span);
}

std::vector<std::uint8_t> WavFile(const std::vector<std::int16_t>& samples, int rate) {
  constexpr std::uint16_t kPcm = 1, kMono = 1, kBits = 16, kBlockAlign = 2;
  const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  std::vector<std::uint8_t> f;
  auto put = [&](std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) f.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  };
  auto tag = [&](const char* t) {
    for (int i = 0; i < 4; ++i) f.push_back(static_cast<std::uint8_t>(t[i]));
  };
  tag("RIFF");
  put(36 + dataBytes, 4);
  tag("WAVE");
  tag("fmt ");
  put(16, 4);
  put(kPcm, 2);
  put(kMono, 2);
  put(static_cast<std::uint32_t>(rate), 4);
  put(static_cast<std::uint32_t>(rate) * kBlockAlign, 4);
  put(kBlockAlign, 2);
  put(kBits, 2);
  tag("data");
  put(dataBytes, 4);
  for (std::int16_t s : samples) put(static_cast<std::uint16_t>(s), 2);
  return f;
}

}  // namespace moriva::sfx
