#pragma once

#include <QImage>
#include <QWidget>
#include <array>
#include <memory>
#include <string>

#include "audio/Sound.h"
#include "audio/clsBGM.h"
#include "game/Game.h"
#include "game/GameHost.h"
#include "game/PlayHook.h"
#include "game/TitleMenu.h"
#include "platform/Clock.h"
#include "platform/HeldKeys.h"
#include "platform/QtEventPump.h"
#include "platform/Preferences.h"
#include "platform/QtPrompt.h"
#include "ui/PixelScale.h"
#include "ui/SoundSwitches.h"
#include "ui/WindowCommands.h"

class QLabel;
class QSettings;

namespace moriva {

class ControllerSource;
class EndingView;
class PadInput;
class MidiDevice;
class WavPlayer;
struct basMoriva;

// The game window: title screen, play view with its status panel, and the ending. The
// rules run in Game; this window is their host and shows their state.
class frmGame : public QWidget, private GameHost {
  Q_OBJECT

 public:
  // Outer size: 518 wide, 346 plus the caption high. The client area is that less the
  // 3 px frame border on each side, below the caption: 512 x 340, the height the ending's
  // timeline and the replay runner count with.
  static constexpr int kOuterWidth = 518;
  static constexpr int kOuterHeightBelowCaption = 346;
  static constexpr int kFrameBorder = 3;
  static constexpr int kClientWidth = kOuterWidth - 2 * kFrameBorder;
  static constexpr int kClientHeight = kOuterHeightBelowCaption - 2 * kFrameBorder;
  static QSize OuterSize(int captionHeight) {
    return {kOuterWidth, kOuterHeightBelowCaption + captionHeight};
  }

  frmGame(basMoriva& module, const Surface& tileSheet, const Surface& spriteSheet,
          MidiDevice& midi, WavPlayer& wav, const std::string& programFolder,
          QWidget* parent = nullptr);
  ~frmGame() override;

  // The desktop around the game, before Form_Load: the remembered sound switches and scale
  // (mute: start silent whatever was remembered), where changes to them are kept, and the
  // game pads. Without it the window opens at factor 1 with sound on and reads no pad.
  void UseDesktop(const Preferences& start, bool mute, std::unique_ptr<QSettings> settings,
                  std::unique_ptr<ControllerSource> pads);

  // The creation steps; the last one shows the window and goes to the title.
  void Form_Load();

  // The screen area the window may fill, in place of its screen's (a test's own screen).
  void SetAvailableArea(QSize area) { availableArea_ = area; }

  // The window's own keys: scale, fullscreen, sound switches.
  void RunCommand(WindowCommand command);
  const PixelScale& scale() const { return scale_; }
  int windowFactor() const { return windowFactor_; }
  bool fullscreen() const { return fullscreen_; }
  SoundSwitches& sound() { return sound_; }
  QLabel* lblSound() const { return lblSound_; }
  // The pad's key changes, as PadInput delivers them.
  void PadKey(int virtualKey, bool down);

  // Title handlers.
  void lblTitle_MouseMove(int index);
  void lblTitle_Click(int index);
  void picTitle_KeyPress(int keyAscii);

  Game& game() { return *game_; }
  clsBGM& bgm() { return bgm_; }
  Sound& se() { return se_; }
  const TitleMenu& menu() const { return menu_; }
  QWidget* picTitle() const { return picTitle_; }
  QWidget* picFrame() const { return picFrame_; }
  QLabel* lblTitle(int i) const { return lblTitle_[i]; }
  QLabel* lblWait(int i) const { return lblWait_[i]; }
  QLabel* lblBeta1() const { return lblBeta1_; }
  QLabel* lblBeta2() const { return lblBeta2_; }
  QLabel* lblDPS() const { return lblDPS_; }
  QLabel* imgItem(int i) const { return imgItem_[i]; }
  QWidget* shpMap(int i) const { return shpMap_[i]; }
  std::string caption() const { return windowTitle().toStdString(); }
  // How the last play ended; for tests and the shutdown path.
  RunResult lastRun() const { return lastRun_; }

  // A recording or a demo that follows play (see PlayHook); none by default.
  void SetPlayHook(PlayHook* hook) { hook_ = hook; }

  // Shows the state's status elements (icons, block map, frame rate, view).
  void SyncStatus();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // GameHost.
  void PlayEffect(int number) override;
  void PlayMusic(int number, bool notLoop) override;
  void StopMusic() override;
  bool AskYesNo(const char* question) override;
  void ShowItemDialog(int itemNo) override;
  void ShowEndingView() override;
  void ShowTitle() override;
  void ShowPleaseWait(bool visible) override;
  void HideTitle() override;
  void Refresh() override;
  void ProcessEvents() override;
  Clock& clock() override { return clock_; }
  void ReportError(const std::string& message) override;
  void FrameBegins(long frame) override;
  void FrameEnded(long frame) override;

  void BuildTitle();
  void BuildPlayPanel();
  void PaintFrame(QWidget* frame);
  bool IsOwnWidget(QObject* object) const;
  int FittingFactor() const;
  void SetWindowFactor(int factor);
  void SetFullscreen(bool on);
  void ApplyScale();
  void SavePreferences();
  void ShowSoundNote();
  // The enabled title label that `watched` is, or -1.
  int TitleEntryOf(QObject* watched) const;
  bool TitleMouseEvent(int index, QEvent* event);

  clsBGM bgm_;
  Sound se_;
  SoundSwitches sound_{bgm_, se_};
  MidiDevice& midi_;
  std::unique_ptr<Game> game_;
  SteadyClock clock_;
  QtEventPump pump_;
  QtPrompt prompt_;
  PixelScale scale_;
  Preferences prefs_;
  std::unique_ptr<QSettings> settings_;
  std::unique_ptr<ControllerSource> pads_;
  std::unique_ptr<PadInput> padInput_;
  bool startMusic_ = true;
  bool startEffects_ = true;
  int windowFactor_ = 1;
  QSize availableArea_;  // empty: the screen's
  bool fullscreen_ = false;
  TitleMenu menu_;
  RunResult lastRun_ = RunResult::Stopped;
  std::int32_t dialogColorPhase_ = 0;
  PlayHook* hook_ = nullptr;
  // The title label that the left button went down on: a click is a press and a release
  // on the same entry.
  int pressedTitle_ = -1;
  HeldKeys heldKeys_;

  QImage background_;
  QImage title_;
  QImage blockView_;  // wraps the game's block surface, no copy
  QImage enlargedView_;  // the play view at the window's factor

  QWidget* picTitle_ = nullptr;
  QWidget* picFrame_ = nullptr;
  QLabel* lblBeta1_ = nullptr;
  QLabel* lblBeta2_ = nullptr;
  QLabel* lblDPS_ = nullptr;
  QLabel* lblSound_ = nullptr;
  std::array<QLabel*, 3> lblTitle_{};
  std::array<QLabel*, 2> lblWait_{};
  std::array<QLabel*, kItemIcons> imgItem_{};
  std::array<QWidget*, kMiniMapSquares> shpMap_{};
  std::unique_ptr<EndingView> ending_;

  // What the status elements show, so they are touched only when the state changes.
  std::array<bool, kItemIcons> shownItems_{};
  std::array<std::int32_t, kMiniMapSquares> shownFill_{};
  std::array<char, 16> shownDps_{};
};

}  // namespace moriva
