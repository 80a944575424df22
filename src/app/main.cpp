// Start-up: the editor window is created first; its load step reads the world from the
// program's folder, draws block (0, 0) (which creates the palette and with it the one tile
// sheet) and hands over to the game window, which goes to the title. With --editor the
// editor and its palette stay on screen instead.

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <cstring>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "editor/EditorHost.h"
#include "editor/frmMain.h"
#include "editor/frmParts.h"
#include "game/GameTables.h"
#include "platform/Pictures.h"
#include "platform/ProgramFolder.h"
#include "platform/SdlAudioDevices.h"
#include "ui/frmGame.h"
#include "world/basMoriva.h"

namespace {

constexpr const char* kUsage =
    "usage: moriva [--help] [--version] [--editor]\n"
    "Plays the world mapdata.dat in the program's folder, from the title screen.\n"
    "  --editor   open the map editor and its palette; \"Game\" plays the world in memory\n"
    "  --help     print this text and exit\n"
    "  --version  print the version and exit\n";

constexpr int kBadArguments = 2;
constexpr int kWorldUnreadable = 1;

// What the command line asks for. Every option is read here and only here.
struct Options {
  bool editor = false;
};

// The options, or the exit status when the command line is answered without a window.
std::optional<int> ParseArguments(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (std::strcmp(arg, "--help") == 0) {
      std::cout << kUsage;
      return 0;
    }
    if (std::strcmp(arg, "--version") == 0) {
      std::cout << "moriva " << MORIVA_VERSION << "\n";
      return 0;
    }
    if (std::strcmp(arg, "--editor") == 0) {
      options.editor = true;
      continue;
    }
    std::cerr << "moriva: unknown option " << arg << "\n" << kUsage;
    return kBadArguments;
  }
  return std::nullopt;
}

// The windows that outlive the editor: the palette, which holds the tile sheet, and the
// game window, created when the editor first asks for them. The game is destroyed before
// the palette whose sheet it draws from.
class Program : public moriva::EditorHost {
 public:
  Program(moriva::basMoriva& module, std::string folder)
      : module_(module), folder_(std::move(folder)) {}

  moriva::frmParts& Parts() override {
    if (!parts_) parts_ = std::make_unique<moriva::frmParts>();
    return *parts_;
  }

  void ShowGame() override {
    if (game_) {
      game_->show();
      return;
    }
    audio_ = moriva::OpenAudioDevices();
    game_ = std::make_unique<moriva::frmGame>(module_, Parts().tileSheet(), spriteSheet_,
                                              *audio_.midi, *audio_.wav, folder_);
    game_->Form_Load();
  }

 private:
  moriva::basMoriva& module_;
  std::string folder_;
  const moriva::Surface spriteSheet_ = moriva::LoadPicture("sprites");
  std::unique_ptr<moriva::frmParts> parts_;
  moriva::AudioDevices audio_;
  std::unique_ptr<moriva::frmGame> game_;
};

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (const std::optional<int> answered = ParseArguments(argc, argv, options)) return *answered;
  QApplication app(argc, argv);

  // The shared state outlives every window.
  static moriva::basMoriva shared;
  Program program(shared, moriva::ProgramFolder());
  QPointer<moriva::frmMain> editor = new moriva::frmMain(shared, program, moriva::ProgramFolder());
  std::string error;
  if (!editor->Form_Load(options.editor, &error)) {
    QMessageBox::critical(nullptr, QString::fromUtf8(moriva::kAppTitle), QString::fromStdString(error));
    delete editor;
    return kWorldUnreadable;
  }
  const int status = QApplication::exec();
  delete editor;  // still there when the editor was closed without going into the game
  return status;
}
