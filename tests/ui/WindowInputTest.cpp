// The game window driven as a player drives it: mouse and key events go through the
// application to the real window, and its question box is answered by clicking its button.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "game/GameTables.h"
#include "platform/KeyCodes.h"
#include "support/GameWindowRig.h"

namespace moriva {
namespace {

constexpr std::uint32_t kRightScan = 114;  // X11 scan code of the Right arrow

// The window with the clicks it played and its title entries clicked with the mouse.
struct Window : test::GameWindowRig {
  int Clicks() const {
    return static_cast<int>(std::ranges::count_if(wav.calls, [](const auto& c) { return c.file.ends_with("click5.wav"); }));
  }
  void Click(int entry) {
    QLabel* label = window.lblTitle(entry);
    const QPoint at = label->mapTo(&window, label->rect().center());
    QTest::mouseMove(window.windowHandle(), at);
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
  }
  // A game that nobody leaves is closed here.
  void CloseLater() { QTimer::singleShot(3000, &window, [this] { window.close(); }); }
};

// Plays a player who quits the game: Q while the game runs, Yes once the box asks.
void QuitWhenAsked(Window& w) {
  auto* timer = new QTimer(&w.window);
  QObject::connect(timer, &QTimer::timeout, [&w, timer] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      timer->stop();
      box->button(QMessageBox::Yes)->click();
    } else if (!w.window.picTitle()->isVisible()) {
      w.Key(true, Qt::Key_Q, 0, Qt::NoModifier, "q");
    }
  });
  timer->start(20);
}

TEST(TitleChoice, OneChoiceIsOneGameAndQYesWaitsOnTheTitle) {
  const std::pair<const char*, std::function<void(Window&)>> choices[] = {
      {"mouse on the new game", [](Window& w) { w.Click(0); }},
      {"Space", [](Window& w) { w.Key(true, Qt::Key_Space, 0, Qt::NoModifier, " "); }}};
  for (const auto& [name, choose] : choices) {
    Window w;
    QuitWhenAsked(w);
    w.CloseLater();
    choose(w);
    EXPECT_EQ(w.Clicks(), 1) << name << ": the choice started one game";
    EXPECT_EQ(w.window.lastRun(), RunResult::Title) << name;
    EXPECT_TRUE(w.window.picTitle()->isVisible()) << name << ": the title waits for the next choice";
  }
}

TEST(GameWindow, CaptionStatusPanelAndTitle) {
  Window w;
  w.CloseLater();  // should a game start
  EXPECT_EQ(w.window.caption(), "ルナポロ　べーたばん Ver 0.93");
  EXPECT_EQ(frmGame::OuterSize(18), QSize(518, 364));
  for (int i = 0; i < 10; ++i)
    EXPECT_EQ(std::pair(w.window.imgItem(i)->toolTip().toStdString(), w.window.imgItem(i)->isVisible()),
              std::pair(std::string(ItemDesc[i]), false));
  EXPECT_TRUE(w.window.picTitle()->isVisible());
  EXPECT_EQ(w.window.lblTitle(0)->text().toStdString(), "はじめから");
  EXPECT_EQ(w.window.lblTitle(0)->font().family().toStdString(), "ＭＳ Ｐ明朝");
  EXPECT_EQ(std::tuple(w.window.se().SoundOn, w.window.bgm().CurrentBGM()), std::tuple(true, 1));
  const auto ink = [&](int entry) { return w.window.lblTitle(entry)->palette().color(QPalette::WindowText); };
  w.window.lblTitle_MouseMove(1);
  EXPECT_EQ(std::pair(ink(0), ink(1)), std::pair(QColor(192, 192, 0), QColor(255, 255, 160)));
  w.window.lblTitle_MouseMove(0);  // the highlight moves on only to another entry
  EXPECT_EQ(ink(1), QColor(192, 192, 0));
  // The settings entry is shown disabled: it takes neither the highlight nor a click.
  EXPECT_FALSE(w.window.lblTitle(TitleMenu::kSettings)->isEnabled());
  w.Click(TitleMenu::kSettings);
  EXPECT_EQ(std::pair(w.Clicks(), w.window.menu().color(0)), std::pair(0, TitleMenu::kHighlight));
}

TEST(GameWindow, ClosingDuringPlayEndsTheLoopAndClosesTheMusicDevice) {
  Window w;
  QTimer::singleShot(300, &w.window, [&] { w.window.close(); });
  w.window.picTitle_KeyPress(' ');
  EXPECT_EQ(w.window.lastRun(), RunResult::Closed);
  EXPECT_FALSE(w.window.picTitle()->isVisible());
  EXPECT_TRUE(std::ranges::count(w.midi.calls, std::string("Command=Close")) > 0);
  EXPECT_FALSE(w.window.lblDPS()->text().isEmpty());
}

// A held key's repeats are no new presses: keys forgotten after a dialog stay forgotten.
TEST(GameWindow, AKeyRepeatPressesNothing) {
  Window w;
  QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, kRightScan, 0, 0, QString(), true);
  QApplication::sendEvent(w.window.picTitle(), &repeat);
  EXPECT_EQ(w.window.game().state().KeyState[vk::kRight], 0);
}

// Key events in turn (press, Qt key, X11 scan code, modifiers, text) and the keys held after them.
TEST(KeyInput, KeysHeldAfterTheEvents) {
  using Step = std::tuple<bool, int, std::uint32_t, Qt::KeyboardModifiers, const char*>;
  constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier, kShift = Qt::ShiftModifier;
  const std::tuple<const char*, std::vector<Step>, std::vector<int>> cases[] = {
      {"digit released while Shift is down", {{true, Qt::Key_1, 10, kNone, "1"}, {false, Qt::Key_Exclam, 10, kShift, "!"}}, {}},
      {"layout with symbols on the digit row",
       {{true, Qt::Key_Ampersand, 10, kNone, "&"}, {true, Qt::Key_Eacute, 11, kNone, "é"}, {true, Qt::Key_Agrave, 19, kNone, "à"}},
       {vk::kDigit0, vk::kDigit0 + 1, vk::kDigit0 + 2}},
      {"letter that changed with the layout is released", {{true, Qt::Key_Q, 38, kNone, "q"}, {false, Qt::Key_A, 38, kNone, "a"}}, {}},
      {"keypad digit is no top-row digit", {{true, Qt::Key_5, 84, Qt::KeypadModifier, "5"}}, {vk::kNumpad0 + 5}},
      {"synthesised digit without scan code", {{true, Qt::Key_5, 0, kNone, "5"}}, {vk::kDigit0 + 5}}};
  for (const auto& [name, steps, expected] : cases) {
    Window w;
    for (const auto& [press, key, scan, modifiers, text] : steps) w.Key(press, key, scan, modifiers, text);
    std::vector<int> held;
    for (int key : {vk::kDigit0, vk::kDigit0 + 1, vk::kDigit0 + 2, vk::kDigit0 + 5, vk::kA, vk::kQ, vk::kNumpad0 + 5})
      if (w.window.game().state().KeyState[key] != 0) held.push_back(key);
    EXPECT_EQ(held, expected) << name;
  }
}

// Keys held when the window loses the keyboard to another window: their releases go there,
// so the game lets them go itself.
TEST(FocusLoss, KeysHeldWhenAnotherWindowTakesTheKeyboardAreReleased) {
  Window w;
  const auto& keys = w.window.game().state().KeyState;
  const auto activate = [](QWidget& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
  };
  ASSERT_TRUE(activate(w.window));
  w.Key(true, Qt::Key_Right, kRightScan);
  ASSERT_NE(keys[vk::kRight], 0);
  QWidget other;
  ASSERT_TRUE(activate(other));
  EXPECT_EQ(keys[vk::kRight], 0) << "the key held when the window lost the keyboard is up";
  ASSERT_TRUE(activate(w.window));
  w.Key(false, Qt::Key_Right, kRightScan);  // a release that arrives anyway changes nothing
  EXPECT_EQ(keys[vk::kRight], 0);
  w.Key(true, Qt::Key_Right, kRightScan);
  EXPECT_NE(keys[vk::kRight], 0) << "the key works again once the window has the keyboard";
}

}  // namespace
}  // namespace moriva
