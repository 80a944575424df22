// Keys held when the game window loses the keyboard to another window: their releases go
// there, so the game must let them go itself.
#include <gtest/gtest.h>

#include <QTest>

#include "platform/KeyCodes.h"
#include "support/GameWindowRig.h"

namespace moriva {
namespace {

constexpr std::uint32_t kRightScan = 114;  // X11 scan code of the Right arrow

TEST(FocusLoss, KeysHeldWhenAnotherWindowTakesTheKeyboardAreReleased) {
  test::GameWindowRig rig;
  frmGame& window = rig.window;
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  const auto key = [&](bool press) { rig.Key(press, Qt::Key_Right, kRightScan); };
  const auto& keys = window.game().state().KeyState;

  key(true);
  ASSERT_NE(keys[vk::kRight], 0);
  QWidget other;
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  EXPECT_EQ(keys[vk::kRight], 0) << "the key held when the window lost the keyboard is up";

  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  key(false);  // a release that arrives anyway changes nothing
  EXPECT_EQ(keys[vk::kRight], 0);
  key(true);
  EXPECT_NE(keys[vk::kRight], 0) << "the key works again once the window has the keyboard";
}

}  // namespace
}  // namespace moriva
