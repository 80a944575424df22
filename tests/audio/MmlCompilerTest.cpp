#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "MmlCompiler.h"
#include "SmfWriter.h"
#include "platform/MidiDeviceLength.h"

namespace moriva::mml {
namespace {

struct Sounded {
  int key;
  std::uint32_t on;
  std::uint32_t off;
  bool operator==(const Sounded&) const = default;
};

std::vector<Sounded> Notes(const ScoreTrack& t) {
  std::vector<Sounded> out;
  for (const TrackEvent& e : t.events) {
    if ((e.bytes[0] & 0xF0) == 0x90 && e.bytes[2] > 0) out.push_back({e.bytes[1], e.tick, 0});
  }
  for (Sounded& s : out) {
    for (const TrackEvent& e : t.events) {
      if ((e.bytes[0] & 0xF0) == 0x90 && e.bytes[2] == 0 && e.bytes[1] == s.key && e.tick > s.on) {
        s.off = e.tick;
        break;
      }
    }
  }
  return out;
}

Score One(const std::string& music) { return CompileMml("track a\n" + music + "\n"); }

int ErrorLine(const std::string& text) {
  try {
    CompileMml(text);
  } catch (const MmlError& e) {
    return e.line();
  }
  return -1;
}

TEST(Mml, PitchesOctavesAndAccidentals) {
  const Score s = One("q8 c d+ e- > b- < < a o9 c");
  std::vector<int> keys;
  for (const Sounded& n : Notes(s.tracks[0])) keys.push_back(n.key);
  EXPECT_THAT(keys, ::testing::ElementsAre(60, 63, 63, 82, 57, 120));
}

TEST(Mml, LengthsDotsTripletsAndGate) {
  const Score s = One("q8 c2 c8. c3 l16 c q4 c4");
  EXPECT_THAT(Notes(s.tracks[0]),
              ::testing::ElementsAre(Sounded{60, 0, 960}, Sounded{60, 960, 1320}, Sounded{60, 1320, 1960},
                                     Sounded{60, 1960, 2080}, Sounded{60, 2080, 2320}));
  EXPECT_EQ(s.endTick, 2560u);
}

TEST(Mml, ChordsTiesAndExtensions) {
  const Score s = One("q8 {c e >c}4 ^8 g4&g8 g8&a8 o4 r4");
  const std::vector<Sounded> n = Notes(s.tracks[0]);
  ASSERT_EQ(n.size(), 6u);
  EXPECT_EQ(n[0], (Sounded{60, 0, 720}));
  EXPECT_EQ(n[2], (Sounded{72, 0, 720}));
  EXPECT_EQ(n[3], (Sounded{67, 720, 1440})) << "a tie to the same pitch is one note";
  EXPECT_EQ(n[4].on, 1440u);
  EXPECT_EQ(n[5].key, 69) << "a tie to another pitch starts a new note";
  EXPECT_EQ(s.endTick, 2400u);
}

TEST(Mml, RepeatsNestAndBarChecksPass) {
  const Score s = CompileMml("meter 3/4\ntrack a\n[ [c d e |]2 r2. | ]3\n");
  EXPECT_EQ(Notes(s.tracks[0]).size(), 18u);
  EXPECT_EQ(s.endTick, 9u * 1440u);
}

TEST(Mml, TempoChangesSetThePlayingTime) {
  const Score s = CompileMml("tempo 60\ntrack a\nc1 t120 c1\n");
  EXPECT_DOUBLE_EQ(s.seconds, 6.0);
  EXPECT_DOUBLE_EQ(*MidiPlayingSeconds(WriteSmf(s)), 6.0);
}

TEST(Mml, FaultsNameTheirLine) {
  EXPECT_EQ(ErrorLine("meter 3/4\ntrack a\nc4 d4 |\n"), 3) << "bar line inside a bar";
  EXPECT_EQ(ErrorLine("track a\nc1\ntrack b\nc2\n"), 3) << "tracks of different lengths";
  EXPECT_EQ(ErrorLine("track a\nc1\nc7\n"), 3) << "length that does not divide a whole note";
  EXPECT_EQ(ErrorLine("track a program=0\nc1\n"), 1);
  EXPECT_EQ(ErrorLine("track a\nc1 ]\n"), 2);
  EXPECT_EQ(ErrorLine("track a\n[c1\n"), 2);
  EXPECT_EQ(ErrorLine("track a\nc1 z\n"), 2);
  EXPECT_EQ(ErrorLine("track a\no9 b1\n"), 2) << "beyond key 127";
  EXPECT_EQ(ErrorLine("tempo fast\ntrack a\nc1\n"), 1);
  EXPECT_EQ(ErrorLine("# only a comment\n"), 1);
  EXPECT_EQ(ErrorLine("track a\n{}4\n"), 2);
}

TEST(Mml, ChannelsSkipTheDrumKitUnlessAsked) {
  std::string text;
  for (int i = 0; i < 11; ++i) text += "track t" + std::to_string(i) + "\nc1\n";
  text += "track drums channel=10\nn36,1\n";
  const Score s = CompileMml(text);
  EXPECT_EQ(s.tracks[8].channel, 8);
  EXPECT_EQ(s.tracks[9].channel, 10);
  EXPECT_EQ(s.tracks[11].channel, 9);
}

TEST(Smf, HeaderTracksAndCommonEnd) {
  const Score s = CompileMml("title T\ntempo 90\ntrack a program=74 volume=100\nc2 d2\ntrack b\nr1\n");
  const std::vector<std::uint8_t> smf = WriteSmf(s);
  ASSERT_GE(smf.size(), 14u);
  EXPECT_EQ(std::string(smf.begin(), smf.begin() + 4), "MThd");
  EXPECT_EQ(smf[9], 1) << "format 1";
  EXPECT_EQ(smf[11], 3) << "conductor and two tracks";
  EXPECT_EQ((smf[12] << 8) | smf[13], 480);
  EXPECT_NEAR(*MidiPlayingSeconds(smf), 4 * 60.0 / 90, 1e-5);  // whole microseconds a beat
  // Program change sits before the first note on the track's channel.
  const ScoreTrack& a = s.tracks[0];
  const std::vector<std::uint8_t> pc = {0xC0, 73};
  EXPECT_TRUE(std::any_of(a.events.begin(), a.events.end(), [&](const TrackEvent& e) { return e.bytes == pc; }));
}

}  // namespace
}  // namespace moriva::mml
