// Shows the real game window at a chosen scale with the end screen running, for looking at
// it under a virtual display: scaled_window_preview FACTOR [MILLISECONDS]. The world is the
// one beside the program; no sound is played.
#include <QApplication>
#include <QSettings>
#include <QTimer>
#include <cstdlib>

#include "game/Ending.h"
#include "game/Game.h"
#include "platform/ControllerSource.h"
#include "platform/MidiDevice.h"
#include "platform/Pictures.h"
#include "platform/Preferences.h"
#include "platform/ProgramFolder.h"
#include "platform/WavPlayer.h"
#include "ui/frmGame.h"
#include "world/MapFile.h"
#include "world/basMoriva.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  moriva::Preferences prefs;
  prefs.scale = argc > 1 ? std::atoi(argv[1]) : 1;
  const int lifetimeMs = argc > 2 ? std::atoi(argv[2]) : 30000;

  static moriva::basMoriva module;
  const std::string folder = moriva::ProgramFolder();
  module.MapFile = moriva::MapFilePath(folder);
  moriva::LoadMap(module.MapFile, module.Map);
  const moriva::Surface tiles = moriva::LoadPicture("tiles");
  const moriva::Surface sprites = moriva::LoadPicture("sprites");
  moriva::RecordingMidiDevice midi;
  moriva::SilentWavPlayer wav;
  moriva::frmGame window(module, tiles, sprites, midi, wav, folder);
  window.UseDesktop(prefs, true, nullptr, nullptr);
  window.Form_Load();
  window.picTitle()->hide();
  module.BlockX = 2;
  module.BlockY = 0;
  window.game().EnterBlock();
  moriva::ShowEnding(window.game());
  QTimer::singleShot(lifetimeMs, [] { QApplication::exit(0); });
  return app.exec();
}
