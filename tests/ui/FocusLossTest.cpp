// Keys held when the game window loses the keyboard to another window: their releases go
// there, so the game must let them go itself.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

#include "platform/KeyCodes.h"
#include "platform/MidiDevice.h"
#include "platform/WavPlayer.h"
#include "support/TempFolder.h"
#include "ui/frmGame.h"
#include "world/basMoriva.h"

namespace moriva {
namespace {

constexpr std::uint32_t kRightScan = 114;  // X11 scan code of the Right arrow

TEST(FocusLoss, KeysHeldWhenAnotherWindowTakesTheKeyboardAreReleased) {
  test::TempFolder folder;
  basMoriva mod;
  Surface tiles{256, 768}, sprites{256, 768};
  RecordingMidiDevice midi;
  RecordingWavPlayer wav;
  frmGame window(mod, tiles, sprites, midi, wav, folder.path());
  window.Form_Load();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  const auto key = [&](QEvent::Type type) {
    QKeyEvent e(type, Qt::Key_Right, Qt::NoModifier, kRightScan, 0, 0);
    QApplication::sendEvent(window.picTitle(), &e);
  };
  const auto& keys = window.game().state().KeyState;

  key(QEvent::KeyPress);
  ASSERT_NE(keys[vk::kRight], 0);
  QWidget other;
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  EXPECT_EQ(keys[vk::kRight], 0) << "the key held when the window lost the keyboard is up";

  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  key(QEvent::KeyRelease);  // a release that arrives anyway changes nothing
  EXPECT_EQ(keys[vk::kRight], 0);
  key(QEvent::KeyPress);
  EXPECT_NE(keys[vk::kRight], 0) << "the key works again once the window has the keyboard";
}

}  // namespace
}  // namespace moriva
