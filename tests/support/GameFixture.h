#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "game/Game.h"
#include "support/RecordingGameHost.h"
#include "support/TempFolder.h"
#include "world/MapFile.h"
#include "world/basMoriva.h"

namespace moriva::test {

// A game on a small world in a fresh program folder: every block has a floor at tile row 48
// and is open above, so the hero stands wherever the tests put him. Both sheets are
// recognisable: every cell its own colour, so copies can be checked.
class GameFixture {
 public:
  static constexpr int kFloorRow = 48;
  static constexpr std::uint8_t kFloor = 100;

  GameFixture() : tiles(Sheet(1)), sprites(Sheet(2)) {
    for (int x = 0; x < kWorldTiles; ++x)
      for (int by = 0; by < kWorldBlocks; ++by) mod_.Map(x, by * kBlockTiles + kFloorRow) = kFloor;
    game_ = std::make_unique<Game>(mod_, tiles, sprites, host_, folder_.path());
    game_->SetViewFrame(kViewFrameSize, kViewFrameSize);
    game_->ReturnToTitle();
  }

  Game& game() { return *game_; }
  GameState& st() { return game_->state(); }
  basMoriva& mod() { return mod_; }
  RecordingGameHost& host() { return host_; }
  const TempFolder& folder() const { return folder_; }

  // Runs play from the title's new-game choice, stopping after `frames` frames.
  RunResult PlayFrames(long frames) {
    auto previous = host_.onFrameEnded;
    host_.onFrameEnded = [this, frames, previous](long frame) {
      if (previous) previous(frame);
      if (frame >= frames) st().StopLoop = kTrue;
    };
    const RunResult result = game_->lblTitle_Click(0);
    host_.onFrameEnded = previous;
    return result;
  }
  // Writes the world into the program folder as mapdata.dat.
  void WriteWorld() const { ASSERT_TRUE(SaveMap(MapFilePath(folder_.path()), mod_.Map).ok); }

  Surface tiles;
  Surface sprites;

 private:
  static Surface Sheet(int salt) {
    Surface s(kSheetWidth, kSheetHeight);
    for (int y = 0; y < kSheetHeight; ++y)
      for (int x = 0; x < kSheetWidth; ++x)
        s.setPixel(x, y, Rgb((x * 7 + salt) & 0xFF, (y * 3) & 0xFF, ((x ^ y) + salt * 31) & 0xFF));
    return s;
  }

  TempFolder folder_;
  basMoriva mod_;
  RecordingGameHost host_;
  std::unique_ptr<Game> game_;
};

}  // namespace moriva::test
