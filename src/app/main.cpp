// Start-up: reads the world from the program's folder, keeps the tile sheet for the whole
// run, opens the audio devices and shows the game window, which goes to the title.

#include <QApplication>
#include <QCoreApplication>
#include <QIcon>
#include <QMessageBox>
#include <QSettings>
#include <memory>
#include <cstring>
#include <iostream>

#include "game/GameTables.h"
#include "ui/frmGame.h"
#include "platform/Pictures.h"
#include "platform/Preferences.h"
#include "platform/ProgramFolder.h"
#include "platform/SdlControllerSource.h"
#include "platform/SdlAudioDevices.h"
#include "world/MapFile.h"
#include "world/basMoriva.h"

namespace {

constexpr const char* kUsage =
    "usage: moriva [--help] [--version] [--editor] [--mute]\n"
    "Plays the world mapdata.dat, from the title screen.\n"
    "  --editor   open the map editor instead of the game\n"
    "  --mute     start with the music and the effects off (M and N switch them)\n"
    "  --help     print this text and exit\n"
    "  --version  print the version and exit\n";

}  // namespace

int main(int argc, char** argv) {
  bool mute = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0) {
      const QCoreApplication folders(argc, argv);
      std::cout << kUsage << moriva::DescribeFileLocations();
      return 0;
    }
    if (std::strcmp(argv[i], "--mute") == 0) {
      mute = true;
      continue;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::cout << "moriva " << MORIVA_VERSION << "\n";
      return 0;
    }
    if (std::strcmp(argv[i], "--editor") == 0) {
      std::cerr << "moriva: the map editor is not available in this build yet\n";
      return 1;
    }
    std::cerr << "moriva: unknown option " << argv[i] << "\n" << kUsage;
    return 2;
  }
  QApplication app(argc, argv);
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/icon.png")));

  // The shared state and the tile sheet outlive every window, as the editor's would.
  static moriva::basMoriva shared;
  const std::string folder = moriva::ProgramFolder();
  shared.MapFile = moriva::MapFilePath(folder);  // beside the program, or the user's copy
  if (moriva::IoResult r = moriva::LoadMap(shared.MapFile, shared.Map); !r) {
    QMessageBox::critical(nullptr, QString::fromUtf8(moriva::kAppTitle), QString::fromStdString(r.message));
    return 1;
  }
  static const moriva::Surface tileSheet = moriva::LoadPicture("tiles");
  static const moriva::Surface spriteSheet = moriva::LoadPicture("sprites");

  moriva::AudioDevices audio = moriva::OpenAudioDevices();
  int status = 0;
  {
    moriva::frmGame window(shared, tileSheet, spriteSheet, *audio.midi, *audio.wav, folder);
    auto settings = moriva::OpenUserSettings();
    const moriva::Preferences remembered = moriva::Preferences::Load(*settings);
    window.UseDesktop(remembered, mute, std::move(settings),
                      std::make_unique<moriva::SdlControllerSource>());
    window.Form_Load();
    status = QApplication::exec();
  }
  return status;
}
