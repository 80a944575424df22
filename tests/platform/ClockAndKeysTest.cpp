#include <gtest/gtest.h>

#include <Qt>

#include "platform/Clock.h"
#include "platform/KeyCodes.h"

namespace moriva {
namespace {

TEST(Clock, SteadyClockNeverGoesBack) {
  SteadyClock clock;
  std::int64_t last = clock.TickMs();
  double lastSeconds = clock.Seconds();
  for (int i = 0; i < 1000; ++i) {
    const std::int64_t now = clock.TickMs();
    const double seconds = clock.Seconds();
    ASSERT_GE(now, last);
    ASSERT_GE(seconds, lastSeconds);
    last = now;
    lastSeconds = seconds;
  }
}

TEST(Clock, VirtualClockPastThirtyTwoBitsKeepsCounting) {
  VirtualClock clock(0);
  clock.Advance(std::int64_t{1} << 31);  // 24.8 days
  const std::int64_t before = clock.TickMs();
  clock.Advance(13);
  EXPECT_EQ(clock.TickMs() - before, 13);
  EXPECT_GT(clock.TickMs(), 0);
}

TEST(KeyCodes, TableMatchesTheVirtualKeyNumbers) {
  EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Space), 32);
  EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Return), 13);
  EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Enter), 13);
  EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Left), 37);
  EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Up), 38);
  EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Right), 39);
  EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Down), 40);
  EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_0), 48);
  EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_9), 57);
  EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_A), 65);
  EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_S), 83);
  EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Z), 90);
  EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_F1), -1);
  EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Escape), -1);
}

}  // namespace
}  // namespace moriva
