// The game window driven as a player drives it: mouse and key events go through the
// application to the real window, and its question box is answered by clicking its button.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>

#include "game/GameTables.h"
#include "platform/KeyCodes.h"
#include "support/GameWindowRig.h"

namespace moriva {
namespace {

constexpr int kSafetyCloseMs = 3000;  // a game that nobody leaves is closed here

// The window with the clicks it played and its title entries clicked with the mouse.
struct Window : test::GameWindowRig {
  int Clicks() const {
    return static_cast<int>(
        std::ranges::count_if(wav.calls, [](const auto& c) { return c.file.ends_with("click5.wav"); }));
  }
  void Click(int entry) {
    QLabel* label = window.lblTitle(entry);
    const QPoint at = label->mapTo(&window, label->rect().center());
    QTest::mouseMove(window.windowHandle(), at);
    QTest::mousePress(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
  }
  void CloseLater() { QTimer::singleShot(kSafetyCloseMs, &window, [this] { window.close(); }); }
};

// Polls until `ready` holds, then runs `act` once.
void WhenReady(QObject* owner, std::function<bool()> ready, std::function<void()> act) {
  auto* timer = new QTimer(owner);
  QObject::connect(timer, &QTimer::timeout, owner, [timer, ready = std::move(ready), act = std::move(act)] {
    if (!ready()) return;
    timer->deleteLater();
    timer->stop();
    act();
  });
  timer->start(20);
}

struct TitleChoice { const char* name; std::function<void(Window&)> choose; };

class TitleChoiceTest : public ::testing::TestWithParam<TitleChoice> {};

TEST_P(TitleChoiceTest, OneChoiceIsOneGameAndQYesWaitsOnTheTitle) {
  Window w;
  WhenReady(
      &w.window, [&] { return !w.window.picTitle()->isVisible(); },
      [&] {
        w.Key(true, Qt::Key_Q, 0, Qt::NoModifier, "q");
        WhenReady(
            &w.window, [] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr; },
            [] { qobject_cast<QMessageBox*>(QApplication::activeModalWidget())->button(QMessageBox::Yes)->click(); });
      });
  w.CloseLater();
  GetParam().choose(w);
  EXPECT_EQ(w.Clicks(), 1) << "the choice started one game";
  EXPECT_EQ(w.window.lastRun(), RunResult::Title);
  EXPECT_TRUE(w.window.picTitle()->isVisible()) << "the title waits for the next choice";
}

INSTANTIATE_TEST_SUITE_P(
    Title, TitleChoiceTest,
    ::testing::Values(TitleChoice{"MouseOnNewGame", [](Window& w) { w.Click(0); }},
                      TitleChoice{"Space", [](Window& w) { w.Key(true, Qt::Key_Space, 0, Qt::NoModifier, " "); }}),
    [](const ::testing::TestParamInfo<TitleChoice>& p) { return std::string(p.param.name); });

TEST(TitleSettingsEntry, TakesNoClickAndNoHighlight) {
  Window v;
  v.CloseLater();  // should a game start
  QLabel* first = v.window.lblTitle(0);
  QTest::mouseMove(v.window.windowHandle(), first->mapTo(&v.window, first->rect().center()));
  v.Click(TitleMenu::kSettings);
  EXPECT_EQ(v.Clicks(), 0) << "clicking the disabled entry does nothing";
  EXPECT_EQ(v.window.menu().color(0), TitleMenu::kHighlight) << "the highlight stays where it was";
}

TEST(GameWindow, CaptionStatusPanelAndTitle) {
  Window w;
  EXPECT_EQ(w.window.caption(), "ルナポロ　べーたばん Ver 0.93");
  EXPECT_EQ(frmGame::OuterSize(18), QSize(518, 364));
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(w.window.imgItem(i)->toolTip().toStdString(), ItemDesc[i]);
    EXPECT_FALSE(w.window.imgItem(i)->isVisible());
  }
  EXPECT_TRUE(w.window.picTitle()->isVisible());
  EXPECT_EQ(w.window.lblTitle(0)->text().toStdString(), "はじめから");
  EXPECT_EQ(w.window.lblTitle(0)->font().family().toStdString(), "ＭＳ Ｐ明朝");
  EXPECT_FALSE(w.window.lblTitle(2)->isEnabled());
  w.window.lblTitle_MouseMove(1);
  EXPECT_EQ(w.window.lblTitle(1)->palette().color(QPalette::WindowText), QColor(255, 255, 160));
  EXPECT_EQ(w.window.lblTitle(0)->palette().color(QPalette::WindowText), QColor(192, 192, 0));
  w.window.lblTitle_MouseMove(0);  // the highlight moves on only to another entry
  EXPECT_EQ(w.window.lblTitle(1)->palette().color(QPalette::WindowText), QColor(192, 192, 0));
  EXPECT_TRUE(w.window.se().SoundOn);
  EXPECT_EQ(w.window.bgm().CurrentBGM(), 1);
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
  QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, 114, 0, 0, QString(), true);
  QApplication::sendEvent(w.window.picTitle(), &repeat);
  EXPECT_EQ(w.window.game().state().KeyState[vk::kRight], 0);
}

struct KeyStep { bool press; int qtKey; std::uint32_t scan; Qt::KeyboardModifiers mods; const char* text; };
struct KeyCase { const char* name; std::vector<KeyStep> steps; std::vector<int> held; };

class KeyInputTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyInputTest, KeysHeldAfterTheEvents) {
  Window w;
  for (const KeyStep& s : GetParam().steps) w.Key(s.press, s.qtKey, s.scan, s.mods, s.text);
  std::vector<int> held;
  for (int key : {vk::kDigit0, vk::kDigit0 + 1, vk::kDigit0 + 2, vk::kDigit0 + 5, vk::kA, vk::kQ, vk::kNumpad0 + 5})
    if (w.window.game().state().KeyState[key] != 0) held.push_back(key);
  EXPECT_EQ(held, GetParam().held);
}

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier, kShift = Qt::ShiftModifier;
INSTANTIATE_TEST_SUITE_P(
    Keys, KeyInputTest,
    ::testing::Values(
        KeyCase{"DigitReleasedWhileShiftIsDown",
                {{true, Qt::Key_1, 10, kNone, "1"}, {false, Qt::Key_Exclam, 10, kShift, "!"}}, {}},
        KeyCase{"LayoutWithSymbolsOnTheDigitRow",
                {{true, Qt::Key_Ampersand, 10, kNone, "&"},
                 {true, Qt::Key_Eacute, 11, kNone, "é"},
                 {true, Qt::Key_Agrave, 19, kNone, "à"}},
                {vk::kDigit0, vk::kDigit0 + 1, vk::kDigit0 + 2}},
        KeyCase{"LetterThatChangedWithTheLayoutIsReleased",
                {{true, Qt::Key_Q, 38, kNone, "q"}, {false, Qt::Key_A, 38, kNone, "a"}}, {}},
        KeyCase{"KeypadDigitIsNotATopRowDigit", {{true, Qt::Key_5, 84, Qt::KeypadModifier, "5"}}, {vk::kNumpad0 + 5}},
        KeyCase{"SynthesisedDigitWithoutScanCode", {{true, Qt::Key_5, 0, kNone, "5"}}, {vk::kDigit0 + 5}}),
    [](const ::testing::TestParamInfo<KeyCase>& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace moriva
