// The score compiler with its MIDI writer, and the effect synthesizer: what the build's music
// and effects are made with.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ranges>

#include "Effect.h"
#include "MmlCompiler.h"
#include "SmfWriter.h"
#include "platform/MidiDeviceLength.h"

namespace moriva {
namespace {

using namespace mml;
using namespace sfx;

bool IsNote(const TrackEvent& e, bool on) { return (e.bytes[0] & 0xF0) == 0x90 && (e.bytes[2] > 0) == on; }

// The first track's notes as key:on-off, in ticks (480 a quarter), in the order they start.
std::string Notes(const Score& s) {
  const std::vector<TrackEvent>& events = s.tracks.at(0).events;
  std::string out;
  for (const TrackEvent& on : events) {
    if (!IsNote(on, true)) continue;
    const auto off = std::ranges::find_if(events, [&](const TrackEvent& e) {
      return IsNote(e, false) && e.bytes[1] == on.bytes[1] && e.tick > on.tick;
    });
    out += (out.empty() ? "" : " ") + std::to_string(on.bytes[1]) + ":" + std::to_string(on.tick) + "-" +
           (off == events.end() ? "?" : std::to_string(off->tick));
  }
  return out;
}

// The line a score, or with `effect` an effect source, is refused at; -1 when it is read.
int FaultLine(const std::string& text, bool effect) {
  try {
    effect ? void(ParseEffect(text)) : void(CompileMml(text));
  } catch (const MmlError& e) {
    return e.line();
  } catch (const SfxError& e) {
    return std::string(e.what()).starts_with("line ") ? std::atoi(e.what() + 5) : -2;
  }
  return -1;
}

TEST(Mml, NotesAndTheEndOfThePiece) {
  const struct { const char* name; const char* text; const char* notes; std::uint32_t end; } cases[] = {
      {"pitches, octaves and accidentals", "track a\nq8 c d+ e- > b- < < a o9 c\n",
       "60:0-480 63:480-960 63:960-1440 82:1440-1920 57:1920-2400 120:2400-2880", 2880},
      {"lengths, dots, triplets and gate", "track a\nq8 c2 c8. c3 l16 c q4 c4\n",
       "60:0-960 60:960-1320 60:1320-1960 60:1960-2080 60:2080-2320", 2560},
      {"chords, a tie to the same pitch is one note, to another two", "track a\nq8 {c e >c}4 ^8 g4&g8 g8&a8 o4 r4\n",
       "60:0-720 64:0-720 72:0-720 67:720-1440 67:1440-1680 69:1680-1920", 2400},
      {"nested repeats pass their bar checks", "meter 2/4\ntrack a\nq8 [ [c d |]2 r2 | ]2\n",
       "60:0-480 62:480-960 60:960-1440 62:1440-1920 60:2880-3360 62:3360-3840 60:3840-4320 62:4320-4800", 5760},
  };
  for (const auto& c : cases) {
    const Score s = CompileMml(c.text);
    EXPECT_EQ(Notes(s), c.notes) << c.name;
    EXPECT_EQ(s.endTick, c.end) << c.name;
  }
}

TEST(Sources, FaultsNameTheirLine) {
  const struct { const char* name; bool effect; const char* text; int line; } faults[] = {
      {"bar line inside a bar", false, "meter 3/4\ntrack a\nc4 d4 |\n", 3},
      {"tracks of different lengths", false, "track a\nc1\ntrack b\nc2\n", 3},
      {"length that does not divide a whole note", false, "track a\nc1\nc7\n", 3},
      {"program 0", false, "track a program=0\nc1\n", 1},
      {"closing bracket alone", false, "track a\nc1 ]\n", 2},
      {"repeat not closed", false, "track a\n[c1\n", 2},
      {"unknown note", false, "track a\nc1 z\n", 2},
      {"beyond key 127", false, "track a\no9 b1\n", 2},
      {"tempo not a number", false, "tempo fast\ntrack a\nc1\n", 1},
      {"no track", false, "# only a comment\n", 1},
      {"empty chord", false, "track a\n{}4\n", 2},
      {"no voice", true, "length 0.2\n", 1},
      {"unknown wave", true, "# c\nlength 0.2\nvoice wave=hum\n", 3},
      {"above half the rate", true, "voice freq=30000\n", 1},
      {"attack longer than the voice", true, "voice dur=0.01 attack=0.02\n", 1},
      {"voice starting after the end", true, "length 0.1\nvoice start=0.2\n", 2},
      {"full scale is not allowed", true, "peak 0\nvoice\n", 1},
      {"unknown rate", true, "rate 32000\nvoice\n", 1},
      {"unknown voice setting", true, "voice vibrato=5\n", 1},
      {"unknown setting", true, "volume 3\nvoice\n", 1},
      {"gain not a number", true, "voice gain=loud\n", 1},
  };
  for (const auto& f : faults) EXPECT_EQ(FaultLine(f.text, f.effect), f.line) << f.name;
}

TEST(Mml, ChannelsSkipTheDrumKitUnlessAsked) {
  std::string text;
  for (int i = 0; i < 11; ++i) text += "track t" + std::to_string(i) + "\nc1\n";
  const Score s = CompileMml(text + "track drums channel=10\nn36,1\n");
  EXPECT_EQ((std::vector{s.tracks[8].channel, s.tracks[9].channel, s.tracks[11].channel}), (std::vector{8, 10, 9}));
}

TEST(Smf, HeaderTracksProgramChangeAndTempoChanges) {
  const Score s = CompileMml("title T\ntempo 90\ntrack a program=74 volume=100\nc2 d2 t180 c1\ntrack b\nr1 r1\n");
  const std::vector<std::uint8_t> smf = WriteSmf(s);
  ASSERT_GE(smf.size(), 14u);
  EXPECT_EQ(std::vector<std::uint8_t>(smf.begin(), smf.begin() + 14),
            (std::vector<std::uint8_t>{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 3, 0x01, 0xE0}))
      << "format 1, a conductor and two tracks, 480 a quarter";
  // Four beats at 90 a minute, four at 180, in whole microseconds a beat.
  EXPECT_NEAR(s.seconds, 4.0, 1e-9);
  EXPECT_NEAR(*MidiPlayingSeconds(smf), 4.0, 1e-5);
  // Program change sits before the first note on the track's channel.
  const std::vector<std::uint8_t> pc = {0xC0, 73};
  EXPECT_TRUE(std::ranges::any_of(s.tracks[0].events, [&](const TrackEvent& e) { return e.bytes == pc; }));
}

int Peak(const std::vector<std::int16_t>& s) {
  return std::ranges::max(s | std::views::transform([](std::int16_t v) { return std::abs(static_cast<int>(v)); }));
}

double FullScaleAt(double db) { return 32767 * std::pow(10.0, db / 20); }

TEST(Sfx, LengthPeakAndSilentEdges) {
  const std::vector<std::int16_t> s =
      RenderEffect(ParseEffect("length 0.3\npeak -6\nvoice wave=square freq=500 dur=0.3 release=0\n"));
  ASSERT_EQ(s.size(), static_cast<std::size_t>(0.3 * 44100));
  EXPECT_NEAR(Peak(s), FullScaleAt(-6), 1.0);
  EXPECT_EQ(s.front(), 0);
  EXPECT_EQ(s.back(), 0) << "the fade-out smooths a voice that runs to the very end";
}

TEST(Sfx, VoicesStartWhereTheySayAndNoiseRepeatsFromItsSeed) {
  const std::string text = "length 0.2\nvoice wave=noise start=0.1 dur=0.1 seed=9\n";
  const std::vector<std::int16_t> a = RenderEffect(ParseEffect(text));
  EXPECT_EQ(a, RenderEffect(ParseEffect(text)));
  EXPECT_EQ(std::ranges::count(a.begin(), a.begin() + 4410, 0), 4410) << "silent before 0.1 s";
  EXPECT_NEAR(Peak(a), FullScaleAt(-1), 1.0) << "the default peak is -1 dBFS";
}

TEST(Sfx, EchoAddsADelayedCopy) {
  const std::vector<std::int16_t> s = RenderEffect(ParseEffect("length 0.5\nfade 0 0\necho 0.2 0.5\nvoice freq=1000 dur=0.05\n"));
  EXPECT_NEAR(Peak({s.begin() + 8820, s.begin() + 8820 + 2205}), Peak(s) / 2, Peak(s) / 20) << "at 0.2 s, half as loud";
}

}  // namespace
}  // namespace moriva
