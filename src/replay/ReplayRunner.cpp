#include "replay/ReplayRunner.h"

#include <filesystem>
#include <fstream>

#include "replay/EndingTrace.h"
#include "replay/PositionLine.h"
#include "game/Game.h"
#include "replay/ReplayHost.h"
#include "platform/Pictures.h"
#include "world/MapFile.h"
#include "world/basMoriva.h"

namespace moriva {

ReplayRunner::ReplayRunner(std::string folder) : folder_(std::move(folder)) {}
ReplayRunner::~ReplayRunner() = default;

int ReplayRunner::Run(const ReplayScript& script, std::ostream& trace, std::string& error) {
  const std::string mapPath = MapFilePath(folder_);
  if (!std::filesystem::is_regular_file(mapPath)) {
    error = "no world file: " + mapPath;
    return kReplayBadInput;
  }
  auto mod = std::make_unique<basMoriva>();
  mod->MapFile = mapPath;
  if (IoResult loaded = LoadMap(mapPath, mod->Map); !loaded) {
    error = loaded.message;
    return kReplayBadInput;
  }
  const Surface tiles = LoadPicture("tiles");
  const Surface sprites = LoadPicture("sprites");

  ReplayHost host(script, trace);
  Game game(*mod, tiles, sprites, host, folder_);
  host.Attach(game);
  if (onFrame) host.onFrameWritten = [this, &game](long frame) { onFrame(frame, game); };

  game.SetViewFrame(kViewFrameSize, kViewFrameSize);
  game.ReturnToTitle();
  ApplyScriptStart(game, *mod, script.start, script.items, script.switchOn);

  const RunResult result = game.lblTitle_Click(script.continueGame ? 1 : 0);
  if (result == RunResult::Ending && script.endingTicks > 0) {
    WriteEndingTicks(game, script.endingTicks, trace, [&host] { return host.TakeEndingMusic(); });
  }
  host.WriteEnd(EndReason(result));
  return 0;
}

int RunReplayCommand(const std::string& folder, const std::string& scriptPath,
                     const std::string& tracePath, std::ostream& out, std::ostream& err) {
  std::ifstream in(scriptPath);
  if (!in) {
    err << "replay: cannot read the script " << scriptPath << "\n";
    return kReplayBadInput;
  }
  ReplayScript script;
  ReplayScriptError bad;
  if (!ParseReplayScript(in, script, bad)) {
    err << scriptPath << ":" << bad.line << ": " << bad.message << "\n";
    return kReplayBadInput;
  }
  std::ofstream file;
  if (!tracePath.empty()) {
    file.open(tracePath, std::ios::binary | std::ios::trunc);
    if (!file) {
      err << "replay: cannot write the trace " << tracePath << "\n";
      return kReplayBadInput;
    }
  }
  std::string error;
  const int status = ReplayRunner(folder).Run(script, tracePath.empty() ? out : file, error);
  if (status != 0) err << "replay: " << error << "\n";
  if (file.is_open()) {
    file.close();
    if (!file) {
      err << "replay: cannot write the trace " << tracePath << "\n";
      return kReplayBadInput;
    }
  }
  return status;
}

}  // namespace moriva
