#include <gtest/gtest.h>

#include <Qt>

#include "platform/Clock.h"
#include "platform/KeyCodes.h"

namespace moriva {
namespace {

TEST(Clock, VirtualClockPassesThirtyTwoBits) {
  VirtualClock virtualClock(0);
  virtualClock.Advance(std::int64_t{1} << 31);  // 24.8 days
  const std::int64_t before = virtualClock.TickMs();
  virtualClock.Advance(13);
  EXPECT_EQ(virtualClock.TickMs() - before, 13);
}

TEST(KeyCodes, TableMatchesTheVirtualKeyNumbers) {
  const std::pair<int, int> keys[] = {{Qt::Key_Space, 32}, {Qt::Key_Return, 13}, {Qt::Key_Enter, 13},
                                      {Qt::Key_Left, 37},  {Qt::Key_Up, 38},     {Qt::Key_Right, 39},
                                      {Qt::Key_Down, 40},  {Qt::Key_0, 48},      {Qt::Key_9, 57},
                                      {Qt::Key_A, 65},     {Qt::Key_Z, 90},      {Qt::Key_F1, -1},
                                      {Qt::Key_Escape, -1}};
  for (const auto& [qt, vk] : keys) EXPECT_EQ(VirtualKeyFromQtKey(qt), vk) << qt;
}

}  // namespace
}  // namespace moriva
