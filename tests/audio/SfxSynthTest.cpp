#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "Effect.h"

namespace moriva::sfx {
namespace {

int Peak(const std::vector<std::int16_t>& s) {
  int peak = 0;
  for (std::int16_t v : s) peak = std::max(peak, std::abs(static_cast<int>(v)));
  return peak;
}

bool Fails(const std::string& text, const std::string& lineTag) {
  try {
    ParseEffect(text);
  } catch (const SfxError& e) {
    return std::string(e.what()).rfind(lineTag, 0) == 0;
  }
  return false;
}

TEST(Sfx, LengthPeakAndSilentEdges) {
  const Effect e = ParseEffect("length 0.3\npeak -6\nvoice wave=square freq=500 dur=0.3 release=0\n");
  const std::vector<std::int16_t> s = RenderEffect(e);
  ASSERT_EQ(s.size(), static_cast<std::size_t>(0.3 * 44100));
  EXPECT_NEAR(Peak(s), 32767 * std::pow(10.0, -6 / 20.0), 1.0);
  EXPECT_EQ(s.front(), 0);
  EXPECT_EQ(s.back(), 0) << "the fade-out smooths a voice that runs to the very end";
}

TEST(Sfx, VoicesStartWhereTheySayAndNoiseRepeatsFromItsSeed) {
  const std::string text = "length 0.2\nvoice wave=noise start=0.1 dur=0.1 seed=9\n";
  const std::vector<std::int16_t> a = RenderEffect(ParseEffect(text)), b = RenderEffect(ParseEffect(text));
  EXPECT_EQ(a, b);
  for (std::size_t i = 0; i < 4410; ++i) ASSERT_EQ(a[i], 0) << i;
  EXPECT_NEAR(Peak(a), 32767 * std::pow(10.0, -1 / 20.0), 1.0) << "the default peak is -1 dBFS";
}

TEST(Sfx, EchoAddsADelayedCopy) {
  const Effect e = ParseEffect("length 0.5\nfade 0 0\necho 0.2 0.5\nvoice freq=1000 dur=0.05\n");
  const std::vector<std::int16_t> s = RenderEffect(e);
  const std::vector<std::int16_t> late(s.begin() + 8820, s.begin() + 8820 + 2205);
  EXPECT_NEAR(Peak(late), Peak(s) / 2, Peak(s) / 20);
}

TEST(Sfx, FaultsNameTheirLine) {
  EXPECT_TRUE(Fails("length 0.2\n", "line 1")) << "no voice";
  EXPECT_TRUE(Fails("# c\nlength 0.2\nvoice wave=hum\n", "line 3"));
  EXPECT_TRUE(Fails("voice freq=30000\n", "line 1")) << "above half the rate";
  EXPECT_TRUE(Fails("voice dur=0.01 attack=0.02\n", "line 1"));
  EXPECT_TRUE(Fails("length 0.1\nvoice start=0.2\n", "line 2"));
  EXPECT_TRUE(Fails("peak 0\nvoice\n", "line 1")) << "full scale is not allowed";
  EXPECT_TRUE(Fails("rate 32000\nvoice\n", "line 1"));
  EXPECT_TRUE(Fails("voice vibrato=5\n", "line 1"));
  EXPECT_TRUE(Fails("volume 3\nvoice\n", "line 1"));
  EXPECT_TRUE(Fails("voice gain=loud\n", "line 1"));
}

}  // namespace
}  // namespace moriva::sfx
