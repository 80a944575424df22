// Start-up: reads the world from the program's folder, keeps the tile sheet for the whole
// run, opens the audio devices and shows the game window, which goes to the title.

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>

#include "game/GameTables.h"
#include "ui/frmGame.h"
#include "platform/Pictures.h"
#include "platform/ProgramFolder.h"
#include "platform/SdlAudioDevices.h"
#include "replay/DemoPlayer.h"
#include "replay/ReplayRecorder.h"
#include "replay/ReplayScript.h"
#include "world/MapFile.h"
#include "world/basMoriva.h"

namespace {

constexpr const char* kUsage =
    "usage: moriva [--help] [--version] [--editor] [--record FILE | --replay FILE]\n"
    "Plays the world mapdata.dat in the program's folder, from the title screen.\n"
    "  --editor         open the map editor instead of the game\n"
    "  --record FILE    play as usual and write the game played as a replay script\n"
    "  --replay FILE    play a replay script in the window (Q, Escape or closing stops it)\n"
    "  --trace OUT      with --record or --replay: the hero's position after every frame\n"
    "  --help     print this text and exit\n"
    "  --version  print the version and exit\n";

}  // namespace

int main(int argc, char** argv) {
  std::string recordPath, replayPath, tracePath;
  for (int i = 1; i < argc; ++i) {
    const bool record = std::strcmp(argv[i], "--record") == 0;
    const bool replay = std::strcmp(argv[i], "--replay") == 0;
    if (record || replay || std::strcmp(argv[i], "--trace") == 0) {
      if (i + 1 >= argc) {
        std::cerr << "moriva: " << argv[i] << " needs a file\n" << kUsage;
        return 2;
      }
      (record ? recordPath : replay ? replayPath : tracePath) = argv[++i];
      continue;
    }
    if (std::strcmp(argv[i], "--help") == 0) {
      std::cout << kUsage;
      return 0;
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
  if (!recordPath.empty() && !replayPath.empty()) {
    std::cerr << "moriva: --record and --replay cannot be used together\n";
    return 2;
  }
  std::ofstream trace;
  if (!tracePath.empty()) {
    if (recordPath.empty() && replayPath.empty()) {
      std::cerr << "moriva: --trace goes with --record or --replay\n";
      return 2;
    }
    trace.open(tracePath, std::ios::binary | std::ios::trunc);
    if (!trace) {
      std::cerr << "moriva: cannot write the trace " << tracePath << "\n";
      return 2;
    }
  }
  // A demo's script is read before any window opens, so that a bad line is told at once.
  moriva::ReplayScript script;
  if (!replayPath.empty()) {
    std::ifstream in(replayPath);
    moriva::ReplayScriptError bad;
    if (!in) {
      std::cerr << "moriva: cannot read the script " << replayPath << "\n";
      return 2;
    }
    if (!moriva::ParseReplayScript(in, script, bad)) {
      std::cerr << replayPath << ":" << bad.line << ": " << bad.message << "\n";
      return 2;
    }
  }
  QApplication app(argc, argv);

  // The shared state and the tile sheet outlive every window, as the editor's would.
  static moriva::basMoriva shared;
  const std::string folder = moriva::ProgramFolder();
  shared.MapFile = moriva::MapFilePath(folder);
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
    std::unique_ptr<moriva::ReplayRecorder> recorder;
    std::unique_ptr<moriva::DemoPlayer> demo;
    if (!recordPath.empty()) {
      recorder = std::make_unique<moriva::ReplayRecorder>(recordPath);
      if (trace.is_open()) recorder->TracePositions(&trace);
      window.SetPlayHook(recorder.get());
    } else if (!replayPath.empty()) {
      demo = std::make_unique<moriva::DemoPlayer>(script, std::cout);
      if (trace.is_open()) demo->TracePositions(&trace);
      window.SetPlayHook(demo.get());
    }
    window.Form_Load();
    if (demo) {
      // The demo makes its title choice once the title is on screen.
      QTimer::singleShot(0, &window, [&window, &demo] {
        window.lblTitle_MouseMove(demo->titleChoice());
        window.lblTitle_Click(demo->titleChoice());
      });
    }
    status = QApplication::exec();
    window.SetPlayHook(nullptr);
    if (recorder) {
      std::string error;
      if (!recorder->Save(error)) {
        std::cerr << "moriva: " << error << "\n";
        status = 1;
      }
    }
  }
  return status;
}
