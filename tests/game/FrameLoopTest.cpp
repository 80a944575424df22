#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>
#include <vector>

#include "platform/KeyCodes.h"
#include "support/GameFixture.h"

// Counts the heap allocations of this test program while switched on. The library's other
// forms of `new` and `delete` come to these two.
namespace {
std::atomic<bool> gCounting{false};
std::atomic<long> gAllocations{0};
}  // namespace

void* operator new(std::size_t size) {
  if (gCounting) ++gAllocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace moriva {
namespace {

TEST(FrameLoop, ASteadyFrameAllocatesNothing) {
  gCounting = true;
  delete new std::vector<int>(100);  // the counter sees allocations
  gCounting = false;
  ASSERT_GT(gAllocations.load(), 0);
  test::GameFixture f;
  f.mod().Map(2 * 50 + 6, 4 * 50 + 46) = 154;  // an animated conveyor in view
  f.mod().Map(2 * 50 + 3, 4 * 50 + 44) = 54;   // and a flame jet
  f.host().onFrameBegins = [&](long n) {
    if (n == 40) f.game().KeyDown(vk::kRight);
    if (n == 50) gAllocations = 0, gCounting = true;
  };
  f.host().onFrameEnded = [&](long) { f.st().SplashTimer = 10, f.st().BumpTimer = 5; };  // sprites queued
  f.PlayFrames(150);
  gCounting = false;
  EXPECT_EQ(gAllocations.load(), 0) << "heap allocations in frames 50..150";
}

// A clock with sub-millisecond time: a sleep advances it by what was asked, each reading by
// a little, as a real wait would.
class FineClockHost final : public RecordingGameHost, Clock {
 public:
  Clock& clock() override { return *this; }
  std::int64_t TickMs() override { return static_cast<std::int64_t>(std::floor(nowMs += 0.01)); }
  double Seconds() override { return nowMs / 1000.0; }
  void SleepMs(double ms) override { sleeps.push_back(ms), nowMs += ms; }
  double nowMs = 1000.25;
  std::vector<double> sleeps;
};

TEST(FrameLoop, EachFrameEndsThirteenTicksAfterTheLastSleepingToJustBeforeThenSpinning) {
  test::TempFolder folder;
  basMoriva mod;
  Surface none;
  FineClockHost host;
  Game game(mod, none, none, host, folder.path());
  game.SetViewFrame(320, 320);
  game.ReturnToTitle();
  std::vector<std::int64_t> ends;
  host.onFrameEnded = [&](long n) {
    ends.push_back(host.TickMs());
    if (n == 20) game.state().StopLoop = kTrue;
  };
  game.lblTitle_Click(0);
  ASSERT_EQ(std::pair(ends.size(), host.sleeps.size()), (std::pair<std::size_t, std::size_t>(20, 19)));
  for (std::size_t i = 2; i < ends.size(); ++i) EXPECT_EQ(ends[i] - ends[i - 1], 13) << i;  // frame 1 waits for none
  for (double ms : host.sleeps) EXPECT_TRUE(ms > 10.0 && ms < 12.8) << ms;  // the last fraction is spun
}

}  // namespace
}  // namespace moriva
