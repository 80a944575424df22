#include <gtest/gtest.h>

#include <string>

#include "ui/WindowCommands.h"

namespace moriva {
namespace {

struct KeyCase {
  const char* name;
  int key;
  Qt::KeyboardModifiers modifiers;
  WindowCommand command;
};

class WindowKeys : public testing::TestWithParam<KeyCase> {};

TEST_P(WindowKeys, KeyGivesItsCommand) {
  EXPECT_EQ(WindowCommandForKey(GetParam().key, GetParam().modifiers), GetParam().command);
}

constexpr auto kCtrl = Qt::ControlModifier;
constexpr auto kAlt = Qt::AltModifier;
constexpr auto kNone = Qt::NoModifier;

INSTANTIATE_TEST_SUITE_P(
    Bindings, WindowKeys,
    testing::Values(
        KeyCase{"CtrlPlus", Qt::Key_Plus, kCtrl | Qt::ShiftModifier, WindowCommand::ScaleUp},
        KeyCase{"CtrlEqualsKey", Qt::Key_Equal, kCtrl, WindowCommand::ScaleUp},
        KeyCase{"CtrlKeypadPlus", Qt::Key_Plus, kCtrl | Qt::KeypadModifier, WindowCommand::ScaleUp},
        KeyCase{"CtrlMinus", Qt::Key_Minus, kCtrl, WindowCommand::ScaleDown},
        KeyCase{"CtrlKeypadMinus", Qt::Key_Minus, kCtrl | Qt::KeypadModifier, WindowCommand::ScaleDown},
        KeyCase{"CtrlZero", Qt::Key_0, kCtrl, WindowCommand::ScaleToFit},
        KeyCase{"F11", Qt::Key_F11, kNone, WindowCommand::ToggleFullscreen},
        KeyCase{"AltReturn", Qt::Key_Return, kAlt, WindowCommand::ToggleFullscreen},
        KeyCase{"AltKeypadEnter", Qt::Key_Enter, kAlt | Qt::KeypadModifier, WindowCommand::ToggleFullscreen},
        KeyCase{"M", Qt::Key_M, kNone, WindowCommand::ToggleMusic},
        KeyCase{"N", Qt::Key_N, kNone, WindowCommand::ToggleEffects},
        // Keys of the game stay the game's.
        KeyCase{"PlainReturnIsTheRope", Qt::Key_Return, kNone, WindowCommand::None},
        KeyCase{"PlainZeroIsADigit", Qt::Key_0, kNone, WindowCommand::None},
        KeyCase{"PlainMinus", Qt::Key_Minus, kNone, WindowCommand::None},
        KeyCase{"CtrlM", Qt::Key_M, kCtrl, WindowCommand::None},
        KeyCase{"ShiftN", Qt::Key_N, Qt::ShiftModifier, WindowCommand::None},
        KeyCase{"CtrlAltReturn", Qt::Key_Return, kCtrl | kAlt, WindowCommand::None},
        KeyCase{"CtrlS", Qt::Key_S, kCtrl, WindowCommand::None}),
    [](const testing::TestParamInfo<KeyCase>& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace moriva
