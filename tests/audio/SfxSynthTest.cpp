#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ranges>

#include "Effect.h"

namespace moriva::sfx {
namespace {

int Peak(const std::vector<std::int16_t>& s) {
  return std::ranges::max(s | std::views::transform([](std::int16_t v) { return std::abs(static_cast<int>(v)); }));
}

double FullScaleAt(double db) { return 32767 * std::pow(10.0, db / 20); }

// The message of the fault that parsing the text raises, or "".
std::string ErrorOf(const std::string& text) {
  try {
    ParseEffect(text);
  } catch (const SfxError& e) {
    return e.what();
  }
  return "";
}

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

TEST(Sfx, FaultsNameTheirLine) {
  const std::pair<const char*, const char*> faults[] = {
      {"length 0.2\n", "line 1"},  // no voice
      {"# c\nlength 0.2\nvoice wave=hum\n", "line 3"},
      {"voice freq=30000\n", "line 1"},  // above half the rate
      {"voice dur=0.01 attack=0.02\n", "line 1"},
      {"length 0.1\nvoice start=0.2\n", "line 2"},
      {"peak 0\nvoice\n", "line 1"},  // full scale is not allowed
      {"rate 32000\nvoice\n", "line 1"},
      {"voice vibrato=5\n", "line 1"},
      {"volume 3\nvoice\n", "line 1"},
      {"voice gain=loud\n", "line 1"},
  };
  for (const auto& [text, line] : faults) EXPECT_EQ(ErrorOf(text).substr(0, 7), std::string(line) + ":") << text;
}

}  // namespace
}  // namespace moriva::sfx
