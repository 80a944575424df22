// The game's continue path on any save file: load, enter the block and draw the first
// frame from the loaded state.

#include <QFile>
#include <QTemporaryDir>

#include "FuzzSupport.h"
#include "game/Game.h"
#include "game/GameState.h"
#include "game/HeadlessGameHost.h"
#include "platform/Clock.h"
#include "world/SaveFile.h"
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

// A world with every drawable tile somewhere, so the loaded hero lands among all kinds.
void VariedWorld(MapGrid& map) {
  constexpr int kDrawableCodes = 192;
  for (int x = 0; x < kWorldTiles; ++x)
    for (int y = 0; y < kWorldTiles; ++y)
      map(x, y) = static_cast<std::uint8_t>((x * 7 + y * 13) % kDrawableCodes);
}

// The game reads its save file by path, once per input: the folder is in memory where the
// system has a memory filesystem.
QString ScratchFolder() {
  static QTemporaryDir inMemory(QStringLiteral("/dev/shm/moriva-fuzz-XXXXXX"));
  if (inMemory.isValid()) return inMemory.path();
  static QTemporaryDir onDisk;
  return onDisk.path();
}

struct Session {
  basMoriva module;
  Surface tiles{kSheetWidth, kSheetHeight, 0x336699};
  Surface sprites{kSheetWidth, kSheetHeight, 0x996633};
  FirstFrameHost host;
  Game game{module, tiles, sprites, host, ScratchFolder().toStdString()};

  Session() {
    VariedWorld(module.Map);
    host.state = &game.state();
    game.SetViewFrame(kViewFrameSize, kViewFrameSize);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Session s;
  QFile save(QString::fromStdString(s.game.savePath()));
  fuzz::Require(save.open(QIODevice::WriteOnly | QIODevice::Truncate), "the save file opens");
  fuzz::Require(save.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) == static_cast<qint64>(size),
                "the input is written");
  save.close();
  s.game.ReturnToTitle();
  const RunResult result = s.game.lblTitle_Click(1);
  fuzz::Require(result == RunResult::Stopped, "play stops after the first frame");
  fuzz::Require(s.game.frame() == 1, "one frame was drawn");
  fuzz::Require(s.host.errors == 0, "a readable file loads without a message");
  const basMoriva& m = s.module;
  fuzz::Require(m.BlockX >= 0 && m.BlockX < kWorldBlocks && m.BlockY >= 0 && m.BlockY < kWorldBlocks,
                "the block is inside the world");
  return 0;
}
