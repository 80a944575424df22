#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QSettings>
#include <cstdint>
#include <memory>

#include "platform/MidiDevice.h"
#include "platform/Preferences.h"
#include "platform/WavPlayer.h"
#include "support/FakeControllerSource.h"
#include "support/TempFolder.h"
#include "ui/frmGame.h"
#include "world/basMoriva.h"

namespace moriva::test {

// The game window, loaded, on a fresh program folder with recording sound devices. Given
// preferences, it also gets its desktop: a 1920 x 1080 screen with no panel (room for
// factor 3 with the frame), a settings file of its own and a pad the test holds.
struct GameWindowRig {
  GameWindowRig() : window(mod, tiles, sprites, midi, wav, folder.path()) { window.Form_Load(); }
  explicit GameWindowRig(const Preferences& prefs, bool mute = false)
      : window(mod, tiles, sprites, midi, wav, folder.path()) {
    window.SetAvailableArea(QSize(1920, 1080));
    auto owned = std::make_unique<FakeControllerSource>();
    pad = owned.get();
    settings = new QSettings(QString::fromStdString(folder.file("moriva.conf")), QSettings::IniFormat);
    window.UseDesktop(prefs, mute, std::unique_ptr<QSettings>(settings), std::move(owned));
    window.Form_Load();
  }

  // A key pressed and let go, sent to the window itself as its shortcuts see it.
  void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    Send(&window, true, key, modifiers);
    Send(&window, false, key, modifiers);
  }
  // One key event as the window system delivers it to the game's picture (scan codes are
  // X11/Wayland ones: evdev + 8).
  void Key(bool press, int key, std::uint32_t scan = 0, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
           const char* text = "") {
    Send(window.picTitle(), press, key, modifiers, scan, text);
  }

  TempFolder folder;
  basMoriva mod;
  Surface tiles{256, 768};
  Surface sprites{256, 768};
  RecordingMidiDevice midi;
  RecordingWavPlayer wav;
  frmGame window;
  FakeControllerSource* pad = nullptr;  // owned by the window
  QSettings* settings = nullptr;        // owned by the window

 private:
  static void Send(QWidget* target, bool press, int key, Qt::KeyboardModifiers modifiers, std::uint32_t scan = 0,
                  const char* text = "") {
    QKeyEvent e(press ? QEvent::KeyPress : QEvent::KeyRelease, key, modifiers, scan, 0, 0, QString::fromUtf8(text));
    QApplication::sendEvent(target, &e);
  }
};

}  // namespace moriva::test
