// The window's additions around the game: its scale in whole pixels, window keys, fullscreen,
// sound switches, pad.
#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>
#include <QMessageBox>

#include "platform/KeyCodes.h"
#include "support/GameWindowRig.h"
#include "ui/PadInput.h"

namespace moriva {
namespace {

TEST(PixelScale, FitFactorIsTheLargestWholeFactorThatFitsAndTheOriginCentresIt) {
  const std::pair<QSize, int> cases[] = {{{1920, 1040}, 3}, {{3840, 2160}, 6}, {{1366, 728}, 2},
                                         {{1024, 680}, 2},  {{1024, 679}, 1},  {{400, 300}, 1}, {{0, 0}, 1}};
  for (const auto& [available, factor] : cases)
    EXPECT_EQ(PixelScale::FitFactor(QSize(512, 340), available), factor) << available.width() << "x" << available.height();
  EXPECT_EQ(PixelScale::CentredOrigin(QSize(1536, 1020), QSize(1920, 1080)), QPoint(192, 30));
}

TEST(PixelScale, FactorScalesPlacesFontsLinesAndPicturesAndTheOriginMovesOnlyTheRootsChildren) {
  QWidget root;
  PixelScale scale(&root);
  auto* child = new QLabel(&root);
  auto* grandchild = new QLabel(child);
  auto* frame = new QFrame(&root);
  scale.Place(child, QRect(8, 4, 320, 320));
  scale.Place(grandchild, QRect(272, 208, 134, 29));
  QImage picture(2, 1, QImage::Format_RGB32);
  picture.setPixel(0, 0, qRgb(255, 0, 0));
  picture.setPixel(1, 0, qRgb(0, 0, 255));
  scale.SetPicture(child, picture);
  QFont font("IPAPGothic");
  font.setPointSizeF(15.75);
  scale.SetFont(grandchild, font);
  scale.SetLineWidth(frame, 1);
  scale.SetFactor(3, QPoint(192, 30));
  EXPECT_EQ(child->geometry(), QRect(192 + 24, 30 + 12, 960, 960));
  EXPECT_EQ(grandchild->geometry(), QRect(816, 624, 402, 87));
  EXPECT_EQ(std::pair(grandchild->font().pointSizeF(), frame->lineWidth()), std::pair(47.25, 3));
  const QImage shown = child->pixmap().toImage();
  ASSERT_EQ(shown.size(), QSize(6, 3));
  EXPECT_EQ(std::pair(shown.pixel(2, 2), shown.pixel(3, 0)), std::pair(qRgb(255, 0, 0), qRgb(0, 0, 255)));  // no blend
  scale.Move(grandchild, QPoint(10, 20));
  EXPECT_EQ(grandchild->pos(), QPoint(30, 60));
  scale.SetFactor(1);
  EXPECT_EQ(child->geometry(), QRect(8, 4, 320, 320));
  EXPECT_EQ(grandchild->geometry(), QRect(10, 20, 134, 29));
}

TEST(PixelScale, EnlargeMakesEveryPixelASquareAndOutsideIsBlack) {
  QImage source(3, 2, QImage::Format_RGB32);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) source.setPixel(x, y, qRgb(10 * x, 100 + y, 7));
  QImage target(6, 6, QImage::Format_RGB32);
  target.fill(Qt::white);
  // Columns 1..2 and a third column beyond the source; rows 0..1 and one below.
  PixelScale::EnlargeInto(source, QRect(1, 0, 3, 3), 2, target);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) {
      const int sx = 1 + x / 2, sy = y / 2;
      EXPECT_EQ(target.pixel(x, y), sx < 3 && sy < 2 ? source.pixel(sx, sy) : qRgb(0, 0, 0)) << x << "," << y;
    }
}

using Window = test::GameWindowRig;
constexpr auto kCtrl = Qt::ControlModifier, kAlt = Qt::AltModifier, kNone = Qt::NoModifier;

// The other spellings of the window's keys (the plain ones are pressed on the window below).
TEST(WindowCommands, KeyGivesItsCommandAndTheGamesKeysStayTheGames) {
  const std::tuple<const char*, int, Qt::KeyboardModifiers, WindowCommand> cases[] = {
      {"Ctrl+Equals", Qt::Key_Equal, kCtrl, WindowCommand::ScaleUp},
      {"Ctrl+keypad Plus", Qt::Key_Plus, kCtrl | Qt::KeypadModifier, WindowCommand::ScaleUp},
      {"Ctrl+keypad Minus", Qt::Key_Minus, kCtrl | Qt::KeypadModifier, WindowCommand::ScaleDown},
      {"Ctrl+0", Qt::Key_0, kCtrl, WindowCommand::ScaleToFit},
      {"Alt+keypad Enter", Qt::Key_Enter, kAlt | Qt::KeypadModifier, WindowCommand::ToggleFullscreen},
      {"plain Return is the rope", Qt::Key_Return, kNone, WindowCommand::None},
      {"plain 0 is a digit", Qt::Key_0, kNone, WindowCommand::None},
      {"Shift+N", Qt::Key_N, Qt::ShiftModifier, WindowCommand::None},
      {"Ctrl+Alt+Return", Qt::Key_Return, kCtrl | kAlt, WindowCommand::None}};
  for (const auto& [name, key, modifiers, command] : cases) EXPECT_EQ(WindowCommandForKey(key, modifiers), command) << name;
}

// Opened on a 1920 x 1080 screen, the window takes the largest factor that fits.
TEST(ScaledWindow, EveryElementScalesFullscreenCentresOnBlackAndFactorOneHoldsTheDesignFigures) {
  Window w(Preferences{});
  ASSERT_EQ(w.window.windowFactor(), 3);
  EXPECT_EQ(w.window.game().state().HeroViewX, 144) << "the view is centred in the design's frame";
  int placed = 0;
  for (QWidget* e : w.window.findChildren<QWidget*>()) {
    const QRect design = w.window.scale().logical(e);
    if (design.isNull()) continue;
    // Sizes in whole design pixels: an element placed by position only keeps its own size.
    EXPECT_EQ(QRect(e->pos(), e->size() / 3), QRect(design.topLeft() * 3, design.size())) << "element " << placed;
    ++placed;
  }
  EXPECT_GE(placed, 40);  // the title, the panel, ten icons and twenty-five map squares

  w.Press(Qt::Key_F11);
  const QSize screen = w.window.size();
  const int factor = PixelScale::FitFactor(QSize(512, 340), screen);
  const QPoint origin = PixelScale::CentredOrigin(QSize(512, 340) * factor, screen);
  EXPECT_EQ(std::pair(w.window.scale().factor(), w.window.scale().origin()), std::pair(factor, origin));
  EXPECT_EQ(w.window.picFrame()->pos(), origin + QPoint(8, 4) * factor);
  w.Press(Qt::Key_F11);
  EXPECT_EQ(std::pair(w.window.size(), w.window.picFrame()->pos()), std::pair(QSize(1536, 1020), QPoint(24, 12)));

  w.Press(Qt::Key_Minus, kCtrl);
  w.Press(Qt::Key_Minus, kCtrl);
  ASSERT_EQ(w.window.size(), QSize(512, 340));
  const std::tuple<const char*, QWidget*, QRect> figures[] = {
      {"picFrame", w.window.picFrame(), {8, 4, 320, 320}},
      {"shpMap7", w.window.shpMap(7), {390, 137, 18, 18}},
      {"imgItem6", w.window.imgItem(6), {372, 292, 32, 32}},
      {"lblTitle2", w.window.lblTitle(2), {273, 288, 71, 29}},
      {"lblWait1", w.window.lblWait(1), {172, 156, 204, 35}}};
  for (const auto& [name, element, design] : figures) EXPECT_EQ(element->geometry(), design) << name;
}

// Keys pressed on the game's picture from a starting factor: the window, the sound and its
// note, what the next run starts with, and none of them reaches the game.
TEST(ScaledWindow, KeysChangeTheWindowAndTheSoundSwitchesAreKept) {
  struct Case {
    const char* name;
    int startFactor;
    std::vector<std::pair<int, Qt::KeyboardModifiers>> keys;
    int factor;
    bool fullscreen, musicOn, effectsOn;
    const char* note;
  } const cases[] = {{"Ctrl+Plus", 1, {{Qt::Key_Plus, kCtrl | Qt::ShiftModifier}}, 2, false, true, true, ""},
                     {"Ctrl+Plus stops at the screen", 3, {{Qt::Key_Plus, kCtrl}}, 3, false, true, true, ""},
                     {"Ctrl+Minus", 3, {{Qt::Key_Minus, kCtrl}}, 2, false, true, true, ""},
                     {"Ctrl+Minus stops at one", 1, {{Qt::Key_Minus, kCtrl}}, 1, false, true, true, ""},
                     {"F11 twice", 3, {{Qt::Key_F11, kNone}, {Qt::Key_F11, kNone}}, 3, false, true, true, ""},
                     {"Alt+Enter", 3, {{Qt::Key_Return, kAlt}}, 3, true, true, true, ""},
                     {"M twice", 3, {{Qt::Key_M, kNone}, {Qt::Key_M, kNone}}, 3, false, true, true, ""},
                     {"M", 3, {{Qt::Key_M, kNone}}, 3, false, false, true, "BGM オフ"},
                     {"N", 3, {{Qt::Key_N, kNone}}, 3, false, true, false, "効果音 オフ"},
                     {"M and N", 3, {{Qt::Key_M, kNone}, {Qt::Key_N, kNone}}, 3, false, false, false, "BGM・効果音 オフ"}};
  for (const Case& c : cases) {
    Window w(Preferences{.scale = c.startFactor});
    for (const auto& [key, modifiers] : c.keys) {
      w.Key(true, key, 0, modifiers);
      w.Key(false, key, 0, modifiers);
    }
    EXPECT_EQ(std::ranges::count(w.window.game().state().KeyState, 0), std::ssize(w.window.game().state().KeyState)) << c.name;
    EXPECT_EQ(std::pair(w.window.windowFactor(), w.window.fullscreen()), std::pair(c.factor, c.fullscreen)) << c.name;
    const Preferences kept = Preferences::Load(*w.settings);
    EXPECT_EQ(std::tuple(w.window.bgm().MusicOn(), w.window.se().SoundOn, kept.musicOn, kept.effectsOn),
              std::tuple(c.musicOn, c.effectsOn, c.musicOn, c.effectsOn)) << c.name;
    const QLabel& note = *w.window.lblSound();
    EXPECT_EQ(std::pair(note.isVisible(), note.text()), std::pair(*c.note != 0, QString(c.note))) << c.name;
  }
}

TEST(ScaledWindow, SoundAtStartFollowsTheRememberedSwitchesAndMute) {
  const std::tuple<const char*, bool, bool, bool, bool> cases[] = {  // remembered music, mute: music, effects
      {"all on", true, false, true, true},
      {"music remembered off", false, false, false, true},
      {"mute", true, true, false, false}};
  for (const auto& [name, musicRemembered, mute, musicOn, effectsOn] : cases) {
    Window w(Preferences{.musicOn = musicRemembered}, mute);
    // The title music was asked for but not opened while the music is off.
    const bool opened = std::ranges::count(w.midi.calls, std::string("Command=open")) > 0;
    EXPECT_EQ(std::tuple(w.window.bgm().MusicOn(), w.window.se().SoundOn, opened), std::tuple(musicOn, effectsOn, musicOn)) << name;
  }
}

// The file the music device was last asked to open.
std::string OpenedFile(const std::vector<std::string>& calls) {
  auto it = std::ranges::find_if(calls.rbegin(), calls.rend(), [](const std::string& c) { return c.starts_with("FileName="); });
  return it == calls.rend() ? "" : it->substr(9);
}

TEST(SoundSwitches, MusicOnPlaysTheLastRequestAgainUnlessTheGameStoppedItAndEffectsOffStopsTheSoundingOne) {
  Window w(Preferences{});
  SoundSwitches& switches = w.window.sound();
  switches.PlayMusic(2, false);
  switches.SetMusic(false);
  EXPECT_EQ(w.midi.calls.back(), "Command=Close");
  switches.PlayMusic(3, false);  // the hero changed areas while the music was off
  w.midi.calls.clear();
  switches.SetMusic(true);
  EXPECT_EQ(std::tuple(OpenedFile(w.midi.calls), w.window.bgm().LoopMusic(), w.window.bgm().CurrentBGM()),
            std::tuple(w.folder.file("sky02.mid"), true, 3));
  switches.SetMusic(false);
  switches.StopMusic();  // the ending begins: music on again stays silent
  w.midi.calls.clear();
  switches.SetMusic(true);
  EXPECT_EQ(OpenedFile(w.midi.calls), "");

  switches.SetEffects(false);
  ASSERT_FALSE(w.wav.calls.empty());
  EXPECT_EQ(w.wav.calls.back().file, "") << "the sounding effect stops";
}

TEST(ScaledWindow, PadHoldsTheGamesKeysLikeTheKeyboard) {
  Window w(Preferences{});
  // Not the bottom button: on the title it would start a game, as Space does.
  w.pad->state.set(PadButton::DpadRight, true);
  w.pad->state.set(PadButton::Start, true);
  QTimer::singleShot(50, [] { QApplication::exit(); });
  QApplication::exec();
  EXPECT_EQ(std::tuple(w.window.game().state().KeyState[vk::kRight], w.window.game().state().KeyState[vk::kQ]),
            std::tuple(-1, -1));
}

struct PadInputTest : testing::Test {
  PadInputTest() : input(pad, [this](int key, bool down) { keys.emplace_back(key, down); }) {}
  void Hold(PadButton button, bool held) {
    pad.state.set(button, held);
    input.Poll();
  }
  test::FakeControllerSource pad;
  std::vector<std::pair<int, bool>> keys;
  PadInput input;
};

TEST_F(PadInputTest, FaceButtonAnswersTheBoxAndOnlyItsReleaseReachesTheGame) {
  for (auto [button, answer] : {std::pair{PadButton::Bottom, QMessageBox::Yes}, {PadButton::Right, QMessageBox::No}}) {
    QMessageBox box(QMessageBox::Question, "Moriva", "ロードしますか？", QMessageBox::Yes | QMessageBox::No);
    QTimer::singleShot(0, [this, button] { Hold(button, true), Hold(button, false); });
    EXPECT_EQ(box.exec(), answer);
    for (const auto& [key, down] : keys) EXPECT_FALSE(down) << key;
  }
}

}  // namespace
}  // namespace moriva
