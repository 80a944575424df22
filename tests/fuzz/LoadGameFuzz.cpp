// The game's continue path on any save file: load, enter the block and draw the first
// frame from the loaded state.

#include <QTemporaryDir>
#include <fstream>

#include "FuzzSupport.h"
#include "game/Game.h"
#include "game/HeadlessGameHost.h"
#include "world/basMoriva.h"

namespace {

using namespace moriva;

// Answers No, closes dialogs at once, and stops play after the first frame.
class FirstFrameHost final : public HeadlessGameHost {
 public:
  GameState* state = nullptr;
  int errors = 0;
  void ReportError(const std::string&) override { ++errors; }
  void FrameEnded(long) override { state->StopLoop = kTrue; }
};

// The game reads its save file by path, once per input: the folder is in memory where the
// system has a memory filesystem.
std::string ScratchFolder() {
  static QTemporaryDir inMemory(QStringLiteral("/dev/shm/moriva-fuzz-XXXXXX"));
  if (inMemory.isValid()) return inMemory.path().toStdString();
  static QTemporaryDir onDisk;
  return onDisk.path().toStdString();
}

struct Session {
  basMoriva module;
  Surface tiles{kSheetWidth, kSheetHeight, 0x336699}, sprites{kSheetWidth, kSheetHeight, 0x996633};
  FirstFrameHost host;
  Game game{module, tiles, sprites, host, ScratchFolder()};

  Session() {
    // Every drawable tile (codes below 192) somewhere, so the loaded hero lands among all kinds.
    for (int x = 0; x < kWorldTiles; ++x)
      for (int y = 0; y < kWorldTiles; ++y) module.Map(x, y) = static_cast<std::uint8_t>((x * 7 + y * 13) % 192);
    host.state = &game.state();
    game.SetViewFrame(kViewFrameSize, kViewFrameSize);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Session s;
  std::ofstream save(s.game.savePath(), std::ios::binary | std::ios::trunc);
  save.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  save.close();
  fuzz::Require(!save.fail(), "the input is written to the save file");
  s.game.ReturnToTitle();
  fuzz::Require(s.game.lblTitle_Click(1) == RunResult::Stopped && s.game.frame() == 1, "one frame was drawn");
  fuzz::Require(s.host.errors == 0, "a readable file loads without a message");
  const basMoriva& m = s.module;
  fuzz::Require(m.BlockX >= 0 && m.BlockX < kWorldBlocks && m.BlockY >= 0 && m.BlockY < kWorldBlocks,
                "the block is inside the world");
  return 0;
}
