#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/KeyCodes.h"
#include "support/GameWindowRig.h"

namespace moriva {
namespace {

using Window = test::GameWindowRig;

struct Figure {
  const char* name;
  std::function<QWidget*(const frmGame&)> element;
  QRect design;
};

const std::vector<Figure>& Figures() {
  static const std::vector<Figure> figures = {
      {"picFrame", [](const frmGame& w) { return w.picFrame(); }, {8, 4, 320, 320}},
      {"shpMap0", [](const frmGame& w) { return w.shpMap(0); }, {342, 113, 18, 18}},
      {"shpMap7", [](const frmGame& w) { return w.shpMap(7); }, {390, 137, 18, 18}},
      {"shpMap24", [](const frmGame& w) { return w.shpMap(24); }, {438, 209, 18, 18}},
      {"imgItem0", [](const frmGame& w) { return w.imgItem(0); }, {340, 262, 32, 32}},
      {"imgItem5", [](const frmGame& w) { return w.imgItem(5); }, {340, 294, 32, 32}},
      {"imgItem6", [](const frmGame& w) { return w.imgItem(6); }, {372, 292, 32, 32}},
      {"imgItem9", [](const frmGame& w) { return w.imgItem(9); }, {468, 294, 32, 32}},
      {"lblBeta2", [](const frmGame& w) { return w.lblBeta2(); }, {384, 56, 83, 16}},
      {"lblDPS", [](const frmGame& w) { return w.lblDPS(); }, {12, 328, 33, 12}},
      {"picTitle", [](const frmGame& w) { return w.picTitle(); }, {0, 0, 518, 350}},
      {"lblBeta1", [](const frmGame& w) { return w.lblBeta1(); }, {392, 168, 107, 21}},
      {"lblTitle0", [](const frmGame& w) { return w.lblTitle(0); }, {272, 208, 134, 29}},
      {"lblTitle1", [](const frmGame& w) { return w.lblTitle(1); }, {272, 248, 136, 29}},
      {"lblTitle2", [](const frmGame& w) { return w.lblTitle(2); }, {273, 288, 71, 29}},
      {"lblWait0", [](const frmGame& w) { return w.lblWait(0); }, {168, 152, 204, 35}},
      {"lblWait1", [](const frmGame& w) { return w.lblWait(1); }, {172, 156, 204, 35}},
  };
  return figures;
}

TEST(ScaledWindow, DesignFiguresHoldAtFactorOneAndScaleAtThree) {
  Preferences one;
  one.scale = 1;
  Window w(one);
  ASSERT_EQ(w.window.size(), QSize(512, 340));
  for (const Figure& f : Figures()) EXPECT_EQ(f.element(w.window)->geometry(), f.design) << f.name;
  EXPECT_EQ(w.window.game().state().HeroViewX, 144);

  w.Press(Qt::Key_0, Qt::ControlModifier);
  ASSERT_EQ(w.window.windowFactor(), 3);
  for (const Figure& f : Figures()) {
    QWidget* e = f.element(w.window);
    EXPECT_EQ(e->geometry(), QRect(f.design.topLeft() * 3, f.design.size() * 3)) << f.name;
    EXPECT_EQ(w.window.scale().logical(e), f.design) << f.name;
  }

  w.Press(Qt::Key_Minus, Qt::ControlModifier);
  w.Press(Qt::Key_Minus, Qt::ControlModifier);
  for (const Figure& f : Figures()) EXPECT_EQ(f.element(w.window)->geometry(), f.design) << "back: " << f.name;
}

struct KeyStep {
  int key;
  Qt::KeyboardModifiers modifiers;
};

struct BindingCase {
  const char* name;
  int startFactor;
  std::vector<KeyStep> keys;
  int factor;
  bool fullscreen, musicOn, effectsOn;
};

class WindowBinding : public testing::TestWithParam<BindingCase> {};

TEST_P(WindowBinding, KeysChangeTheWindow) {
  const BindingCase& c = GetParam();
  Preferences start;
  start.scale = c.startFactor;
  Window w(start);
  for (const KeyStep& k : c.keys) w.Press(k.key, k.modifiers);
  EXPECT_EQ(w.window.windowFactor(), c.factor);
  EXPECT_EQ(w.window.fullscreen(), c.fullscreen);
  EXPECT_EQ(w.window.sound().musicOn(), c.musicOn);
  EXPECT_EQ(w.window.sound().effectsOn(), c.effectsOn);
  EXPECT_EQ(w.window.lblSound()->isVisible(), !(c.musicOn && c.effectsOn));
  // What the keys chose is what the next run starts with.
  const Preferences kept = Preferences::Load(*w.settings);
  EXPECT_EQ(kept.musicOn, c.musicOn);
  EXPECT_EQ(kept.effectsOn, c.effectsOn);
}

constexpr auto kCtrl = Qt::ControlModifier;
constexpr auto kNone = Qt::NoModifier;

INSTANTIATE_TEST_SUITE_P(
    Keys, WindowBinding,
    testing::Values(
        BindingCase{"CtrlPlus", 1, {{Qt::Key_Plus, kCtrl}}, 2, false, true, true},
        BindingCase{"CtrlPlusStopsAtTheScreen", 3, {{Qt::Key_Plus, kCtrl}}, 3, false, true, true},
        BindingCase{"CtrlMinus", 3, {{Qt::Key_Minus, kCtrl}}, 2, false, true, true},
        BindingCase{"CtrlMinusStopsAtOne", 1, {{Qt::Key_Minus, kCtrl}}, 1, false, true, true},
        BindingCase{"F11Twice", 3, {{Qt::Key_F11, kNone}, {Qt::Key_F11, kNone}}, 3, false, true, true},
        BindingCase{"AltEnter", 3, {{Qt::Key_Return, Qt::AltModifier}}, 3, true, true, true},
        BindingCase{"MTwice", 3, {{Qt::Key_M, kNone}, {Qt::Key_M, kNone}}, 3, false, true, true},
        BindingCase{"MAndN", 3, {{Qt::Key_M, kNone}, {Qt::Key_N, kNone}}, 3, false, false, false}),
    [](const testing::TestParamInfo<BindingCase>& param) { return std::string(param.param.name); });

TEST(ScaledWindow, WindowKeysNeverReachTheGame) {
  Window w(Preferences{});
  w.Key(true, Qt::Key_0, 0, Qt::ControlModifier);
  w.Key(true, Qt::Key_Return, 0, Qt::AltModifier);
  EXPECT_EQ(w.window.game().state().KeyState[vk::kDigit0], 0);
  EXPECT_EQ(w.window.game().state().KeyState[vk::kEnter], 0);
}

TEST(ScaledWindow, OpensAtTheLargestFactorThatFitsAndFullscreenCentresItOnBlack) {
  Window w(Preferences{});
  EXPECT_EQ(w.window.windowFactor(), 3);
  w.Press(Qt::Key_F11);
  const QSize screen = w.window.size();
  const int factor = w.window.scale().factor();
  EXPECT_EQ(factor, PixelScale::FitFactor(QSize(512, 340), screen));
  EXPECT_EQ(w.window.scale().origin(), PixelScale::CentredOrigin(QSize(512, 340) * factor, screen));
  EXPECT_EQ(w.window.picFrame()->pos(), w.window.scale().origin() + QPoint(8, 4) * factor);
  w.Press(Qt::Key_F11);
  EXPECT_EQ(w.window.size(), QSize(1536, 1020));
  EXPECT_EQ(w.window.picFrame()->pos(), QPoint(24, 12));
}

TEST(ScaledWindow, SoundAtStartFollowsTheRememberedSwitchesAndMute) {
  struct Case {
    const char* name;
    bool musicRemembered, mute, musicOn, effectsOn;
  } const cases[] = {{"all on", true, false, true, true},
                     {"music remembered off", false, false, false, true},
                     {"mute", true, true, false, false}};
  for (const Case& c : cases) {
    Preferences start;
    start.musicOn = c.musicRemembered;
    Window w(start, c.mute);
    EXPECT_EQ(w.window.bgm().MusicOn(), c.musicOn) << c.name;
    EXPECT_EQ(w.window.se().SoundOn, c.effectsOn) << c.name;
    // The title music was asked for but not opened while the music is off.
    EXPECT_EQ(std::ranges::count(w.midi.calls, std::string("Command=open")) > 0, c.musicOn) << c.name;
  }
}

TEST(ScaledWindow, PadHoldsTheGamesKeysLikeTheKeyboard) {
  Window w(Preferences{});
  // Not the bottom button: on the title it would start a game, as Space does.
  w.pad->state.set(PadButton::DpadRight, true);
  w.pad->state.set(PadButton::Start, true);
  QTimer::singleShot(50, [] { QApplication::exit(); });
  QApplication::exec();
  EXPECT_EQ(w.window.game().state().KeyState[vk::kRight], -1);
  EXPECT_EQ(w.window.game().state().KeyState[vk::kQ], -1);
  w.pad->plugged = false;
  w.window.game().state().KeyState.fill(0);
  w.window.PadKey(vk::kLeft, true);
  EXPECT_EQ(w.window.game().state().KeyState[vk::kLeft], -1);
}

}  // namespace
}  // namespace moriva
