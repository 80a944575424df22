// The title driven as a player drives it: mouse and key events go through the application
// to the real window, and the window's own question box is answered by clicking its button.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>

#include "game/Ending.h"
#include "game/GameTables.h"
#include "platform/MidiDevice.h"
#include "platform/WavPlayer.h"
#include "support/TempFolder.h"
#include "ui/frmGame.h"
#include "world/basMoriva.h"

namespace moriva {
namespace {

constexpr int kSafetyCloseMs = 3000;  // a second game that nobody leaves is closed here
constexpr int kPollMs = 20;

struct Window {
  Window() : window(mod, tiles, sprites, midi, wav, folder.path()) { window.Form_Load(); }

  int Clicks() const {
    return static_cast<int>(std::count_if(wav.calls.begin(), wav.calls.end(), [](const auto& call) {
      return call.file.ends_with("click5.wav");
    }));
  }
  QPoint CentreOf(int entry) const {
    QLabel* label = window.lblTitle(entry);
    return label->mapTo(&window, label->rect().center());
  }

  test::TempFolder folder;
  basMoriva mod;
  Surface tiles{256, 768};
  Surface sprites{256, 768};
  RecordingMidiDevice midi;
  RecordingWavPlayer wav;
  frmGame window;
};

// Polls until `ready` holds, then runs `act` once.
void WhenReady(QObject* owner, std::function<bool()> ready, std::function<void()> act) {
  auto* timer = new QTimer(owner);
  QObject::connect(timer, &QTimer::timeout, owner, [timer, ready = std::move(ready), act = std::move(act)] {
    if (!ready()) return;
    timer->stop();
    timer->deleteLater();
    act();
  });
  timer->start(kPollMs);
}

// In play: press Q, then answer the window's question box with Yes.
void LeaveWithQAndYes(Window& w) {
  WhenReady(&w.window, [&] { return !w.window.picTitle()->isVisible(); }, [&] {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Q, Qt::NoModifier, QStringLiteral("q"));
    QApplication::sendEvent(&w.window, &press);
    WhenReady(&w.window, [] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr; },
              [] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                box->button(QMessageBox::Yes)->click();
              });
  });
  QTimer::singleShot(kSafetyCloseMs, &w.window, [&] { w.window.close(); });
}

struct TitleChoice {
  const char* name;
  std::function<void(Window&)> choose;
};
void PrintTo(const TitleChoice& choice, std::ostream* os) { *os << choice.name; }

void ClickEntry(Window& w, int entry) {
  QWindow* handle = w.window.windowHandle();
  QTest::mousePress(handle, Qt::LeftButton, Qt::NoModifier, w.CentreOf(entry));
  QTest::mouseRelease(handle, Qt::LeftButton, Qt::NoModifier, w.CentreOf(entry));
}

void TypeKey(Window& w, Qt::Key key, const char* text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString::fromLatin1(text));
  QApplication::sendEvent(w.window.picTitle(), &press);
}

class TitleChoiceTest : public ::testing::TestWithParam<TitleChoice> {};

TEST_P(TitleChoiceTest, OneChoiceIsOneGameAndQYesWaitsOnTheTitle) {
  Window w;
  LeaveWithQAndYes(w);
  GetParam().choose(w);
  EXPECT_EQ(w.Clicks(), 1) << "the choice started one game";
  EXPECT_EQ(w.window.lastRun(), RunResult::Title);
  EXPECT_TRUE(w.window.picTitle()->isVisible()) << "the title waits for the next choice";
}

INSTANTIATE_TEST_SUITE_P(
    Title, TitleChoiceTest,
    ::testing::Values(TitleChoice{"MouseOnNewGame", [](Window& w) { ClickEntry(w, 0); }},
                      TitleChoice{"MouseOnContinue", [](Window& w) { ClickEntry(w, 1); }},
                      TitleChoice{"Space", [](Window& w) { TypeKey(w, Qt::Key_Space, " "); }},
                      TitleChoice{"LetterL", [](Window& w) { TypeKey(w, Qt::Key_L, "l"); }}),
    [](const ::testing::TestParamInfo<TitleChoice>& choice) { return std::string(choice.param.name); });

TEST(TitleSettingsEntry, TakesNoClickAndNoHighlightAndStaysGreyed) {
  Window w;
  QTimer::singleShot(kSafetyCloseMs, &w.window, [&] { w.window.close(); });  // a game started
  QWindow* handle = w.window.windowHandle();
  QTest::mouseMove(handle, w.CentreOf(0));
  QTest::mouseMove(handle, w.CentreOf(TitleMenu::kSettings));
  QTest::mouseClick(handle, Qt::LeftButton, Qt::NoModifier, w.CentreOf(TitleMenu::kSettings));
  EXPECT_EQ(w.Clicks(), 0) << "clicking the disabled entry does nothing";
  EXPECT_TRUE(w.window.picTitle()->isVisible());
  EXPECT_EQ(w.window.menu().color(0), TitleMenu::kHighlight) << "the highlight stays where it was";

  // Drawn greyed after the hover: no pixel of the label in a menu colour.
  const QImage shown = w.window.lblTitle(TitleMenu::kSettings)->grab().toImage();
  int menuColoured = 0, grey = 0;
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x) {
      const QColor c = shown.pixelColor(x, y);
      menuColoured += c.blue() < c.red() - 64;  // the yellows have far less blue than red
      grey += c.red() == c.green() && c.green() == c.blue() && c.red() > 64;
    }
  EXPECT_EQ(menuColoured, 0);
  EXPECT_GT(grey, 0);
}

TEST(TitleWindow, ClientAreaAndTheEndingMusicTickMatchTheHeadlessTimeline) {
  Window w;
  EXPECT_EQ(w.window.size(), QSize(512, 340));
  const EndingScreen& screen = w.window.game().state().Ending;
  EXPECT_EQ(screen.ClientHeight, 340);

  // The ending's music starts on the tick that the design's 340 px area gives.
  ShowEnding(w.window.game());
  w.midi.calls.clear();
  int musicTick = 0;
  for (int tick = 1; tick <= kEndingLastTick && musicTick == 0; ++tick) {
    tmrEnding_Timer(w.window.game());
    for (const std::string& call : w.midi.calls)
      if (call.ends_with("org5.mid")) musicTick = tick;
  }
  EXPECT_EQ(musicTick, 271);
}

}  // namespace
}  // namespace moriva
