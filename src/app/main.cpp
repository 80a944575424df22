// Start-up: the editor window is created first; its load step reads the world from the
// program's folder, draws block (0, 0) (which creates the palette and with it the one tile
// sheet) and hands over to the game window, which goes to the title. With --editor the
// editor and its palette stay on screen instead.

#include <QApplication>
#include <QCoreApplication>
#include <QIcon>
#include <QMessageBox>
#include <QPointer>
#include <QSettings>
#include <QTimer>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "audio/AddPathSep.h"
#include "editor/EditorHost.h"
#include "editor/frmMain.h"
#include "editor/frmParts.h"
#include "game/GameTables.h"
#include "platform/Pictures.h"
#include "platform/Preferences.h"
#include "platform/ProgramFolder.h"
#include "platform/SdlAudioDevices.h"
#include "platform/SdlControllerSource.h"
#include "replay/DemoPlayer.h"
#include "replay/ReplayRecorder.h"
#include "replay/ReplayScript.h"
#include "ui/frmGame.h"
#include "world/basMoriva.h"

namespace {

constexpr const char* kUsage =
    "usage: moriva [--help] [--version] [--editor] [--record FILE | --replay FILE] [--trace OUT]\n"
    "              [--mute]\n"
    "Plays the world mapdata.dat, from the title screen.\n"
    "  --editor         open the map editor and its palette; \"Game\" plays the world in memory\n"
    "  --record FILE    play as usual and write the game played as a replay script\n"
    "  --replay FILE    play a replay script in the window (Q, Escape or closing stops it)\n"
    "  --trace OUT      with --record or --replay: the hero's position after every frame\n"
    "  --mute           start with the music and the effects off (M and N switch them)\n"
    "  --help           print this text and exit\n"
    "  --version        print the version and exit\n";

constexpr int kBadArguments = 2;
constexpr int kWorldUnreadable = 1;
constexpr int kRecordingNotWritten = 1;

// What the command line asks for. Every option is read here and only here.
struct Options {
  bool editor = false;
  bool mute = false;
  std::string recordPath, replayPath, tracePath;
};

// The option's file argument, or null when the command line ends before it.
const char* FileArgument(int argc, char** argv, int& i) {
  if (i + 1 >= argc) {
    std::cerr << "moriva: " << argv[i] << " needs a file\n" << kUsage;
    return nullptr;
  }
  return argv[++i];
}

// The options, or the exit status when the command line is answered without a window.
std::optional<int> ParseArguments(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (std::strcmp(arg, "--help") == 0) {
      const QCoreApplication folders(argc, argv);  // the folders are the application's
      std::cout << kUsage << moriva::DescribeFileLocations();
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
    if (std::strcmp(arg, "--mute") == 0) {
      options.mute = true;
      continue;
    }
    std::string* file = std::strcmp(arg, "--record") == 0   ? &options.recordPath
                        : std::strcmp(arg, "--replay") == 0 ? &options.replayPath
                        : std::strcmp(arg, "--trace") == 0  ? &options.tracePath
                                                             : nullptr;
    if (file) {
      const char* path = FileArgument(argc, argv, i);
      if (!path) return kBadArguments;
      *file = path;
      continue;
    }
    std::cerr << "moriva: unknown option " << arg << "\n" << kUsage;
    return kBadArguments;
  }
  const bool recording = !options.recordPath.empty(), demo = !options.replayPath.empty();
  if ((recording && demo) || ((recording || demo) && options.editor)) {
    std::cerr << "moriva: --record, --replay and --editor go one at a time\n";
    return kBadArguments;
  }
  if (!options.tracePath.empty() && !recording && !demo) {
    std::cerr << "moriva: --trace goes with --record or --replay\n";
    return kBadArguments;
  }
  return std::nullopt;
}

// The windows that outlive the editor: the palette, which holds the tile sheet, and the
// game window, created when the editor first asks for them. The game is destroyed before
// the palette whose sheet it draws from.
class Program : public moriva::EditorHost {
 public:
  Program(moriva::basMoriva& module, std::string folder, bool mute)
      : module_(module), folder_(std::move(folder)), mute_(mute) {}

  // A recording or a demo for the game window; a demo makes its title choice by itself.
  void FollowPlay(moriva::PlayHook* hook, std::optional<int> demoChoice) {
    hook_ = hook;
    demoChoice_ = demoChoice;
  }

  // The device opened and the title's music decoded while the editor loads the world, so
  // the title is not held up by the SoundFont. Music that will not sound is not decoded:
  // each decoded piece holds the SoundFont's samples.
  void OpenAudioAhead() {
    std::vector<std::string> music;
    if (!mute_ && moriva::Preferences::Load(*moriva::OpenUserSettings()).musicOn)
      music.push_back(moriva::AddPathSep(folder_) + moriva::kMusicFiles[moriva::music::kTitle - 1]);
    audioAhead_ = moriva::StartOpeningAudio(std::move(music));
  }

  moriva::frmParts& Parts() override {
    if (!parts_) parts_ = std::make_unique<moriva::frmParts>();
    return *parts_;
  }

  void ShowGame() override {
    if (game_) {
      game_->show();
      return;
    }
    audio_ = moriva::OpenAudioDevices(std::move(audioAhead_));
    spriteSheet_ = moriva::LoadPicture("sprites");
    game_ = std::make_unique<moriva::frmGame>(module_, Parts().tileSheet(), spriteSheet_,
                                              *audio_.midi, *audio_.wav, folder_);
    game_->SetPlayHook(hook_);
    auto settings = moriva::OpenUserSettings();
    const moriva::Preferences remembered = moriva::Preferences::Load(*settings);
    game_->UseDesktop(remembered, mute_, std::move(settings), std::make_unique<moriva::SdlControllerSource>());
    game_->Form_Load();
    if (demoChoice_) {
      // Once the title is on screen.
      QTimer::singleShot(0, game_.get(), [game = game_.get(), choice = *demoChoice_] {
        game->lblTitle_MouseMove(choice);
        game->lblTitle_Click(choice);
      });
    }
  }

 private:
  moriva::basMoriva& module_;
  std::string folder_;
  bool mute_;
  moriva::Surface spriteSheet_;  // loaded with the game window, which draws from it
  std::unique_ptr<moriva::frmParts> parts_;
  moriva::AudioHeadStart audioAhead_;
  moriva::AudioDevices audio_;
  moriva::PlayHook* hook_ = nullptr;
  std::optional<int> demoChoice_;
  std::unique_ptr<moriva::frmGame> game_;
};

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (const std::optional<int> answered = ParseArguments(argc, argv, options)) return *answered;
  // The files of a recording or a demo are opened before any window, so that a bad one is
  // told at once.
  moriva::ReplayScript script;
  if (!options.replayPath.empty()) {
    std::ifstream in(options.replayPath);
    moriva::ReplayScriptError bad;
    if (!in) {
      std::cerr << "moriva: cannot read the script " << options.replayPath << "\n";
      return kBadArguments;
    }
    if (!moriva::ParseReplayScript(in, script, bad)) {
      std::cerr << options.replayPath << ":" << bad.line << ": " << bad.message << "\n";
      return kBadArguments;
    }
  }
  std::ofstream trace;
  if (!options.tracePath.empty()) {
    trace.open(options.tracePath, std::ios::binary | std::ios::trunc);
    if (!trace) {
      std::cerr << "moriva: cannot write the trace " << options.tracePath << "\n";
      return kBadArguments;
    }
  }
  std::unique_ptr<moriva::ReplayRecorder> recorder;
  std::unique_ptr<moriva::DemoPlayer> demo;
  if (!options.recordPath.empty()) {
    recorder = std::make_unique<moriva::ReplayRecorder>(options.recordPath);
    if (trace.is_open()) recorder->TracePositions(&trace);
  } else if (!options.replayPath.empty()) {
    demo = std::make_unique<moriva::DemoPlayer>(script, std::cout);
    if (trace.is_open()) demo->TracePositions(&trace);
  }
  QApplication app(argc, argv);
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/icon.png")));

  // The shared state outlives every window.
  static moriva::basMoriva shared;
  Program program(shared, moriva::ProgramFolder(), options.mute);
  if (recorder) program.FollowPlay(recorder.get(), std::nullopt);
  if (demo) program.FollowPlay(demo.get(), demo->titleChoice());
  if (!options.editor) {
    program.OpenAudioAhead();
    // The pictures of the palette and the game window, in the order the windows ask for
    // them, decoded beside the building of the editor and the loading of the world.
    moriva::StartDecodingPictures({"tiles", "sprites", "background", "title", "item0", "item1", "item2",
                                   "item3", "item4", "item5", "item6", "item7", "item8", "item9"});
  }
  QPointer<moriva::frmMain> editor = new moriva::frmMain(shared, program, moriva::ProgramFolder());
  std::string error;
  if (!editor->Form_Load(options.editor, &error)) {
    QMessageBox::critical(nullptr, QString::fromUtf8(moriva::kAppTitle), QString::fromStdString(error));
    delete editor;
    return kWorldUnreadable;
  }
  int status = QApplication::exec();
  delete editor;  // still there when the editor was closed without going into the game
  if (recorder) {
    std::string saveError;
    if (!recorder->Save(saveError)) {
      std::cerr << "moriva: " << saveError << "\n";
      status = kRecordingNotWritten;
    }
  }
  return status;
}
