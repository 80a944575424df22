// Key events as the window system delivers them (Qt key, native scan code, modifiers and
// text) sent through the application to the game window; what counts is the key table.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <vector>

#include "platform/KeyCodes.h"
#include "platform/MidiDevice.h"
#include "platform/WavPlayer.h"
#include "support/TempFolder.h"
#include "ui/frmGame.h"
#include "world/basMoriva.h"

namespace moriva {
namespace {

// X11 and Wayland key codes (evdev + 8) of the keys used below.
constexpr std::uint32_t kScan1 = 10, kScan2 = 11, kScan5 = 14, kScan0 = 19, kScanA = 38;
constexpr std::uint32_t kScanKeypad5 = 84;

struct KeyEvent {
  bool press;
  int qtKey;
  std::uint32_t scanCode;
  Qt::KeyboardModifiers modifiers;
  const char* text;
};
KeyEvent Down(int qtKey, std::uint32_t scan, Qt::KeyboardModifiers mods, const char* text) {
  return {true, qtKey, scan, mods, text};
}
KeyEvent Up(int qtKey, std::uint32_t scan, Qt::KeyboardModifiers mods, const char* text) {
  return {false, qtKey, scan, mods, text};
}

struct KeyCase {
  const char* name;
  std::vector<KeyEvent> events;
  std::vector<int> held;  // virtual keys held afterwards, among those watched
};
void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;
const std::vector<int> kWatched = {vk::kDigit0, vk::kDigit0 + 1, vk::kDigit0 + 2, vk::kDigit0 + 5,
                                   vk::kA, vk::kQ, vk::kNumpad0 + 5};

class KeyInputTest : public ::testing::TestWithParam<KeyCase> {
 protected:
  KeyInputTest() : window(mod, tiles, sprites, midi, wav, folder.path()) { window.Form_Load(); }
  test::TempFolder folder;
  basMoriva mod;
  Surface tiles{256, 768};
  Surface sprites{256, 768};
  RecordingMidiDevice midi;
  RecordingWavPlayer wav;
  frmGame window;
};

TEST_P(KeyInputTest, KeysHeldAfterTheEvents) {
  for (const KeyEvent& e : GetParam().events) {
    QKeyEvent event(e.press ? QEvent::KeyPress : QEvent::KeyRelease, e.qtKey, e.modifiers, e.scanCode, 0, 0,
                    QString::fromUtf8(e.text));
    QApplication::sendEvent(window.picTitle(), &event);
  }
  std::vector<int> held;
  for (int key : kWatched)
    if (window.game().state().KeyState[key] != 0) held.push_back(key);
  EXPECT_EQ(held, GetParam().held);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyInputTest,
    ::testing::Values(
        KeyCase{"DigitReleasedWhileShiftIsDown",
                {Down(Qt::Key_1, kScan1, kNone, "1"), Up(Qt::Key_Exclam, kScan1, kShift, "!")},
                {}},
        KeyCase{"DigitPressedUnderShiftIsTheDigit",
                {Down(Qt::Key_Exclam, kScan1, kShift, "!")},
                {vk::kDigit0 + 1}},
        KeyCase{"LayoutWithSymbolsOnTheUnshiftedRow",
                {Down(Qt::Key_Ampersand, kScan1, kNone, "&"), Down(Qt::Key_Eacute, kScan2, kNone, "é"),
                 Down(Qt::Key_Agrave, kScan0, kNone, "à")},
                {vk::kDigit0, vk::kDigit0 + 1, vk::kDigit0 + 2}},
        KeyCase{"ShiftedDigitReleasedPlain",
                {Down(Qt::Key_Percent, kScan5, kShift, "%"), Up(Qt::Key_5, kScan5, kNone, "5")},
                {}},
        KeyCase{"LetterThatChangedWithTheLayoutIsReleased",
                {Down(Qt::Key_Q, kScanA, kNone, "q"), Up(Qt::Key_A, kScanA, kNone, "a")},
                {}},
        KeyCase{"KeypadDigitIsNotATopRowDigit",
                {Down(Qt::Key_5, kScanKeypad5, Qt::KeypadModifier, "5")},
                {vk::kNumpad0 + 5}},
        KeyCase{"SynthesisedDigitWithoutScanCode",
                {Down(Qt::Key_5, 0, kNone, "5")},
                {vk::kDigit0 + 5}}),
    [](const ::testing::TestParamInfo<KeyCase>& c) { return std::string(c.param.name); });

}  // namespace
}  // namespace moriva
