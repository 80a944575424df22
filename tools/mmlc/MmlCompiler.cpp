#include "MmlCompiler.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <sstream>

namespace moriva::mml {

namespace {

constexpr std::uint32_t kWholeNote = 4 * kTicksPerBeat;
constexpr int kDefaultOctave = 4;
constexpr int kDefaultVelocity = 90;
constexpr int kDefaultGate = 7;  // eighths of a note's length that sound
constexpr int kFullGate = 8;
constexpr int kDefaultRepeats = 2;
// Nested repeats multiply: a track whose repeats unroll past this many characters is refused
// instead of exhausting the memory (sixteen nested pairs of brackets already make this many).
// The longest track of the game's music unrolls to about 2,200 characters.
constexpr std::size_t kMaxUnrolled = std::size_t{1} << 16;
constexpr double kDefaultBpm = 120;

// The controllers a track sets before its first note.
constexpr std::uint8_t kCcVolume = 7, kCcPan = 10, kCcExpression = 11, kCcReverb = 91, kCcChorus = 93;

struct Ch {
  char c;
  int line;
};
using Body = std::vector<Ch>;

struct Note {
  int key;
  std::uint32_t start;
  std::uint32_t notated;
  int gate;
  int velocity;
};

std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

std::string StripComment(const std::string& line) {
  const auto at = line.find_first_of("#;");
  return at == std::string::npos ? line : line.substr(0, at);
}

int ParseInt(const std::string& text, int line, const std::string& what, int low, int high) {
  std::size_t used = 0;
  int value = 0;
  try {
    value = std::stoi(text, &used);
  } catch (...) {
    used = 0;
  }
  if (used == 0 || used != text.size()) throw MmlError(line, what + " must be a whole number, not '" + text + "'");
  if (value < low || value > high) {
    throw MmlError(line, what + " must lie in " + std::to_string(low) + ".." + std::to_string(high));
  }
  return value;
}

void Meta(std::vector<TrackEvent>& events, std::uint32_t tick, std::uint8_t type, const std::string& data) {
  TrackEvent e{tick, {0xFF, type, static_cast<std::uint8_t>(data.size())}};
  e.bytes.insert(e.bytes.end(), data.begin(), data.end());
  events.push_back(std::move(e));
}

void Tempo(std::vector<TrackEvent>& events, std::uint32_t tick, double bpm) {
  const auto micro = static_cast<std::uint32_t>(60e6 / bpm + 0.5);
  events.push_back({tick, {0xFF, 0x51, 0x03, static_cast<std::uint8_t>(micro >> 16),
                           static_cast<std::uint8_t>(micro >> 8), static_cast<std::uint8_t>(micro)}});
}

// Repeats [ ... ]N are unrolled before the body is played through.
Body Expand(const Body& in, std::size_t& i, bool nested) {
  Body out;
  while (i < in.size()) {
    const Ch ch = in[i];
    if (ch.c == '[') {
      ++i;
      const Body inner = Expand(in, i, true);
      std::string digits;
      while (i < in.size() && std::isdigit(static_cast<unsigned char>(in[i].c))) digits += in[i++].c;
      const int times = digits.empty() ? kDefaultRepeats : ParseInt(digits, ch.line, "a repeat count", 1, 64);
      if (out.size() + inner.size() * static_cast<std::size_t>(times) > kMaxUnrolled)
        throw MmlError(ch.line, "the repeats unroll to more than " + std::to_string(kMaxUnrolled) + " characters");
      for (int t = 0; t < times; ++t) out.insert(out.end(), inner.begin(), inner.end());
    } else if (ch.c == ']') {
      if (!nested) throw MmlError(ch.line, "']' without its '['");
      ++i;
      return out;
    } else {
      out.push_back(ch);
      ++i;
    }
  }
  if (nested) throw MmlError(in.empty() ? 0 : in.back().line, "'[' is never closed");
  return out;
}

class TrackPlayer {
 public:
  TrackPlayer(ScoreTrack& track, Score& score, Body body) : track_(track), score_(score), body_(std::move(body)) {}

  void Run() {
    while (!AtEnd()) Step();
    for (const Note& n : notes_) {
      const std::uint32_t sounding = std::max<std::uint32_t>(1, n.notated * static_cast<std::uint32_t>(n.gate) / kFullGate);
      const auto status = static_cast<std::uint8_t>(0x90 | track_.channel);
      track_.events.push_back({n.start, {status, static_cast<std::uint8_t>(n.key), static_cast<std::uint8_t>(n.velocity)}});
      track_.events.push_back({n.start + sounding, {status, static_cast<std::uint8_t>(n.key), 0}});
    }
    track_.notes = static_cast<int>(notes_.size());
    track_.endTick = tick_;
  }

 private:
  bool AtEnd() const { return pos_ >= body_.size(); }
  char Peek() const { return AtEnd() ? '\0' : static_cast<char>(std::tolower(static_cast<unsigned char>(body_[pos_].c))); }
  int Line() const { return body_[std::min(pos_, body_.size() - 1)].line; }

  int Number(const std::string& what, int low, int high) {
    std::string digits;
    while (std::isdigit(static_cast<unsigned char>(Peek()))) digits += body_[pos_++].c;
    if (digits.empty()) throw MmlError(Line(), what + " needs a number");
    return ParseInt(digits, Line(), what, low, high);
  }

  std::uint32_t Length(std::uint32_t fallback) {
    std::uint32_t length = fallback;
    if (std::isdigit(static_cast<unsigned char>(Peek()))) {
      const int division = Number("a note length", 1, 64);
      if (kWholeNote % static_cast<std::uint32_t>(division) != 0) {
        throw MmlError(Line(), "note length " + std::to_string(division) + " does not divide a whole note");
      }
      length = kWholeNote / static_cast<std::uint32_t>(division);
    }
    std::uint32_t add = length;
    while (Peek() == '.') {
      ++pos_;
      add /= 2;
      length += add;
    }
    return length;
  }

  int Pitch(char letter, int octave) {
    static const std::map<char, int> kSemitone = {{'c', 0}, {'d', 2}, {'e', 4}, {'f', 5},
                                                  {'g', 7}, {'a', 9}, {'b', 11}};
    int semitone = kSemitone.at(letter);
    while (Peek() == '+' || Peek() == '#' || Peek() == '-') semitone += body_[pos_++].c == '-' ? -1 : 1;
    const int key = (octave + 1) * 12 + semitone;
    if (key < 0 || key > 127) throw MmlError(Line(), "note outside the MIDI range");
    return key;
  }

  void Sound(const std::vector<int>& keys, std::uint32_t length) {
    const bool continues = tie_ && keys == lastKeys_;
    tie_ = false;
    if (continues) {
      for (std::size_t i : lastNotes_) notes_[i].notated += length;
    } else {
      lastNotes_.clear();
      for (int key : keys) {
        lastNotes_.push_back(notes_.size());
        notes_.push_back({key, tick_, length, gate_, velocity_});
      }
      lastKeys_ = keys;
    }
    tick_ += length;
  }

  void Controller(std::uint8_t number, int value) {
    track_.events.push_back({tick_, {static_cast<std::uint8_t>(0xB0 | track_.channel), number, static_cast<std::uint8_t>(value)}});
  }

  void BarCheck() {
    const std::uint32_t bar = static_cast<std::uint32_t>(score_.meterBeats) * (kWholeNote / static_cast<std::uint32_t>(score_.meterUnit));
    if (tick_ % bar != 0) {
      std::ostringstream where;
      where << "bar line inside bar " << tick_ / bar + 1 << ", " << (tick_ % bar) << " ticks after its start";
      throw MmlError(Line(), where.str());
    }
  }

  void Chord() {
    std::vector<int> keys;
    int octave = octave_;  // octave moves inside a chord stay inside it
    while (!AtEnd() && Peek() != '}') {
      const char c = Peek();
      ++pos_;
      if (c >= 'a' && c <= 'g') {
        keys.push_back(Pitch(c, octave));
      } else if (c == '<') {
        --octave;
      } else if (c == '>') {
        ++octave;
      } else if (c == 'o') {
        octave = Number("an octave", 0, 9);
      } else if (!std::isspace(static_cast<unsigned char>(c))) {
        throw MmlError(Line(), std::string("'") + c + "' cannot stand inside a chord");
      }
    }
    if (AtEnd()) throw MmlError(Line(), "'{' is never closed");
    ++pos_;
    if (keys.empty()) throw MmlError(Line(), "empty chord");
    Sound(keys, Length(defaultLength_));
  }

  void Step() {
    const char c = Peek();
    const int line = Line();
    ++pos_;
    if (c >= 'a' && c <= 'g') {
      const int key = Pitch(c, octave_);
      Sound({key}, Length(defaultLength_));
    } else if (c == 'r') {
      tie_ = false;
      tick_ += Length(defaultLength_);
      lastKeys_.clear();
    } else if (c == 'n') {
      const int key = Number("a key number", 0, 127);
      std::uint32_t length = defaultLength_;
      if (Peek() == ',') {
        ++pos_;
        length = Length(defaultLength_);
      }
      Sound({key}, length);
    } else if (c == '{') {
      Chord();
    } else if (c == '^') {
      if (lastNotes_.empty()) throw MmlError(line, "'^' with no note before it");
      const std::uint32_t length = Length(defaultLength_);
      for (std::size_t i : lastNotes_) notes_[i].notated += length;
      tick_ += length;
    } else if (c == '&') {
      tie_ = true;
    } else if (c == 'o') {
      octave_ = Number("an octave", 0, 9);
    } else if (c == '<') {
      --octave_;
    } else if (c == '>') {
      ++octave_;
    } else if (c == 'l') {
      if (!std::isdigit(static_cast<unsigned char>(Peek()))) throw MmlError(line, "'l' needs a length");
      defaultLength_ = Length(defaultLength_);
    } else if (c == 'v') {
      velocity_ = Number("a velocity", 1, 127);
    } else if (c == 'q') {
      gate_ = Number("a gate", 1, kFullGate);
    } else if (c == 'x') {
      Controller(kCcExpression, Number("an expression", 0, 127));
    } else if (c == 'p') {
      Controller(kCcPan, Number("a pan position", 0, 127));
    } else if (c == 't') {
      Tempo(score_.conductor, tick_, Number("a tempo", 20, 300));
    } else if (c == '@') {
      const int program = Number("a program", 1, 128);
      track_.events.push_back({tick_, {static_cast<std::uint8_t>(0xC0 | track_.channel), static_cast<std::uint8_t>(program - 1)}});
    } else if (c == '|') {
      BarCheck();
    } else if (!std::isspace(static_cast<unsigned char>(c))) {
      throw MmlError(line, std::string("unknown command '") + body_[pos_ - 1].c + "'");
    }
  }

  ScoreTrack& track_;
  Score& score_;
  Body body_;
  std::size_t pos_ = 0;
  std::uint32_t tick_ = 0;
  int octave_ = kDefaultOctave;
  std::uint32_t defaultLength_ = kTicksPerBeat;
  int velocity_ = kDefaultVelocity;
  int gate_ = kDefaultGate;
  bool tie_ = false;
  std::vector<Note> notes_;
  std::vector<std::size_t> lastNotes_;
  std::vector<int> lastKeys_;
};

struct PendingTrack {
  ScoreTrack track;
  Body body;
  int line;
};

void TrackSetting(ScoreTrack& t, const std::string& key, const std::string& value, int line) {
  auto cc = [&](std::uint8_t number, int v) {
    t.events.push_back({0, {static_cast<std::uint8_t>(0xB0 | t.channel), number, static_cast<std::uint8_t>(v)}});
  };
  if (key == "channel") {
    t.channel = ParseInt(value, line, "channel", 1, 16) - 1;
  } else if (key == "program") {
    const int program = ParseInt(value, line, "program", 1, 128);
    t.events.push_back({0, {static_cast<std::uint8_t>(0xC0 | t.channel), static_cast<std::uint8_t>(program - 1)}});
  } else if (key == "volume") {
    cc(kCcVolume, ParseInt(value, line, "volume", 0, 127));
  } else if (key == "pan") {
    cc(kCcPan, ParseInt(value, line, "pan", 0, 127));
  } else if (key == "reverb") {
    cc(kCcReverb, ParseInt(value, line, "reverb", 0, 127));
  } else if (key == "chorus") {
    cc(kCcChorus, ParseInt(value, line, "chorus", 0, 127));
  } else {
    throw MmlError(line, "unknown track setting '" + key + "'");
  }
}

PendingTrack StartTrack(const std::string& rest, int line, const std::vector<PendingTrack>& earlier) {
  std::istringstream words(rest);
  PendingTrack p{{}, {}, line};
  if (!(words >> p.track.name)) throw MmlError(line, "a track needs a name");
  // Channel 10 is the drum kit: tracks are given it only by asking.
  constexpr int kDrumChannel = 9;
  const int index = static_cast<int>(earlier.size());
  p.track.channel = index < kDrumChannel ? index : index + 1;
  // The channel has to be known before the settings that are sent on it.
  std::vector<std::pair<std::string, std::string>> settings;
  std::string word;
  while (words >> word) {
    const auto eq = word.find('=');
    if (eq == std::string::npos) throw MmlError(line, "track setting '" + word + "' needs key=value");
    settings.emplace_back(word.substr(0, eq), word.substr(eq + 1));
  }
  std::stable_partition(settings.begin(), settings.end(), [](const auto& s) { return s.first == "channel"; });
  for (const auto& [key, value] : settings) TrackSetting(p.track, key, value, line);
  Meta(p.track.events, 0, 0x03, p.track.name);
  // A restarted piece must not inherit a fade from its previous playing.
  p.track.events.push_back({0, {static_cast<std::uint8_t>(0xB0 | p.track.channel), kCcExpression, 127}});
  return p;
}

double SecondsOf(const std::vector<TrackEvent>& conductor, std::uint32_t endTick) {
  std::map<std::uint32_t, std::uint32_t> tempos;
  for (const TrackEvent& e : conductor) {
    if (e.bytes.size() == 6 && e.bytes[1] == 0x51) tempos[e.tick] = (e.bytes[3] << 16) | (e.bytes[4] << 8) | e.bytes[5];
  }
  double micro = 0;
  std::uint32_t tick = 0, tempo = 500000;
  for (const auto& [at, next] : tempos) {
    if (at >= endTick) break;
    micro += static_cast<double>(at - tick) * tempo / kTicksPerBeat;
    tick = at;
    tempo = next;
  }
  micro += static_cast<double>(endTick - tick) * tempo / kTicksPerBeat;
  return micro / 1e6;
}

}  // namespace

Score CompileMml(const std::string& text) {
  Score score;
  double bpm = kDefaultBpm;
  std::vector<PendingTrack> tracks;
  std::istringstream lines(text);
  std::string raw;
  int lineNo = 0;
  while (std::getline(lines, raw)) {
    ++lineNo;
    const std::string line = Trim(StripComment(raw));
    if (line.empty()) continue;
    std::istringstream words(line);
    std::string keyword;
    words >> keyword;
    std::string rest;
    std::getline(words, rest);
    rest = Trim(rest);
    if (keyword == "track") {
      tracks.push_back(StartTrack(rest, lineNo, tracks));
    } else if (tracks.empty() && keyword == "title") {
      score.title = rest;
    } else if (tracks.empty() && keyword == "tempo") {
      bpm = ParseInt(rest, lineNo, "tempo", 20, 300);
    } else if (tracks.empty() && keyword == "meter") {
      const auto slash = rest.find('/');
      if (slash == std::string::npos) throw MmlError(lineNo, "meter is beats/unit, e.g. 3/4");
      score.meterBeats = ParseInt(rest.substr(0, slash), lineNo, "beats", 1, 16);
      score.meterUnit = ParseInt(rest.substr(slash + 1), lineNo, "unit", 1, 16);
      if ((score.meterUnit & (score.meterUnit - 1)) != 0) throw MmlError(lineNo, "the meter's unit must be 1, 2, 4, 8 or 16");
    } else if (tracks.empty()) {
      throw MmlError(lineNo, "unknown setting '" + keyword + "' before the first track");
    } else {
      for (char c : line) tracks.back().body.push_back({c, lineNo});
      tracks.back().body.push_back({' ', lineNo});
    }
  }
  if (tracks.empty()) throw MmlError(lineNo, "the score has no tracks");
  if (tracks.size() > 15) throw MmlError(lineNo, "at most 15 tracks");

  Meta(score.conductor, 0, 0x03, score.title);
  int unitPower = 0;
  while ((1 << unitPower) < score.meterUnit) ++unitPower;
  score.conductor.push_back({0, {0xFF, 0x58, 0x04, static_cast<std::uint8_t>(score.meterBeats),
                                 static_cast<std::uint8_t>(unitPower), 24, 8}});
  Tempo(score.conductor, 0, bpm);

  for (PendingTrack& p : tracks) {
    std::size_t at = 0;
    TrackPlayer(p.track, score, Expand(p.body, at, false)).Run();
    score.tracks.push_back(std::move(p.track));
  }
  for (std::size_t i = 0; i < score.tracks.size(); ++i) {
    const ScoreTrack& t = score.tracks[i];
    if (t.endTick != score.tracks[0].endTick) {
      std::ostringstream message;
      message << "track '" << t.name << "' lasts " << t.endTick << " ticks but '" << score.tracks[0].name << "' "
              << score.tracks[0].endTick << ": every track must end together, where the piece loops";
      throw MmlError(tracks[i].line, message.str());
    }
  }
  score.endTick = score.tracks[0].endTick;
  if (score.endTick == 0) throw MmlError(lineNo, "the score is empty");
  score.seconds = SecondsOf(score.conductor, score.endTick);
  return score;
}

}  // namespace moriva::mml
