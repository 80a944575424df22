#pragma once

#include <memory>

#include "game/Game.h"
#include "support/RecordingGameHost.h"
#include "support/TempFolder.h"
#include "world/basMoriva.h"

namespace moriva::test {

// A game on a small world in a fresh program folder: every block has a floor at tile row 48
// and is open above, so the hero stands wherever the tests put him.
class GameFixture {
 public:
  static constexpr int kFloorRow = 48;
  static constexpr std::uint8_t kFloor = 100;

  GameFixture();

  Game& game() { return *game_; }
  GameState& st() { return game_->state(); }
  basMoriva& mod() { return mod_; }
  RecordingGameHost& host() { return host_; }
  const TempFolder& folder() const { return folder_; }

  // Runs play from the title's new-game choice, stopping after `frames` frames.
  RunResult PlayFrames(long frames);
  // Writes the world into the program folder as mapdata.dat.
  void WriteWorld() const;

  Surface tiles;
  Surface sprites;

 private:
  TempFolder folder_;
  basMoriva mod_;
  RecordingGameHost host_;
  std::unique_ptr<Game> game_;
};

}  // namespace moriva::test
