#pragma once

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "game/Game.h"
#include "support/RecordingGameHost.h"
#include "support/WorldBuilder.h"
#include "world/basMoriva.h"

namespace moriva::test {

// The floor row the rule tests stand the hero on, and the top of a hero standing there.
constexpr int kFloorRow = 40;
constexpr float kStandY = (kFloorRow - 1) * kTileSize;

// One game on a hand-built world, run frame by frame through the real frame loop on a
// recording host. Frames are counted from 1 across runs. Every tile of the tile sheet is
// painted in its own colour (TileColour), so the block surface shows which code it drew.
class PhysicsRig {
 public:
  explicit PhysicsRig(const WorldBuilder& world)
      : tiles_(kSheetWidth, kSheetHeight), sprites_(kSheetWidth, kSheetHeight),
        game_(module_, tiles_, sprites_, host_, "/nonexistent-moriva-folder") {
    module_.Map = world.Map();
    for (int code = 0; code < kSheetTiles; ++code)
      tiles_.fillRect(code % kSheetColumns * kTileSize, code / kSheetColumns * kTileSize, kTileSize, kTileSize,
                      TileColour(code));
    host_.onFrameBegins = [this](long) {
      for (int key : held_) state().KeyState[key] = kTrue;
    };
    host_.onFrameEnded = [this](long) {
      snapshots_.push_back(state());
      effectsBy_.push_back(host_.effects.size());
      if (frame() >= stopAfter_) state().StopLoop = kTrue;
    };
    host_.onItemDialog = [this](int item) {
      dialogs.push_back({frame() + 1, item});
      atDialog.push_back(state());
    };
    game_.SetViewFrame(320, 320);
  }
  // The rig with a new game started at once (see Start).
  PhysicsRig(const WorldBuilder& world, int bx, int by, double x, double y) : PhysicsRig(world) {
    Start(bx, by, x, y);
  }
  PhysicsRig(const PhysicsRig&) = delete;
  PhysicsRig& operator=(const PhysicsRig&) = delete;

  // A new game placed in block (bx, by) with the hero's corner at (x, y), entered as the
  // title would enter it.
  void Start(int bx, int by, double x, double y) {
    game_.ResetGame();
    module_.BlockX = static_cast<std::int16_t>(bx), module_.BlockY = static_cast<std::int16_t>(by);
    state().HeroX = static_cast<float>(x), state().HeroY = static_cast<float>(y);
    game_.EnterBlock();
  }

  // Runs `frames` frames with exactly these keys held throughout. Returns how the loop
  // ended (Stopped when all frames ran).
  RunResult Run(int frames, std::initializer_list<int> keys = {}) {
    held_.assign(keys.begin(), keys.end());
    stopAfter_ = frame() + frames;
    return game_.RunGame();
  }

  GameState& state() { return game_.state(); }
  basMoriva& module() { return module_; }
  Game& game() { return game_; }
  RecordingGameHost& host() { return host_; }
  long frame() const { return static_cast<long>(snapshots_.size()); }
  // The state at the end of frame n.
  const GameState& At(long n) const { return snapshots_.at(static_cast<std::size_t>(n - 1)); }
  // The first frame whose end state satisfies `pred`; 0 when none does.
  template <typename Pred>
  long FirstFrame(Pred pred) const {
    const auto it = std::find_if(snapshots_.begin(), snapshots_.end(), pred);
    return it == snapshots_.end() ? 0 : it - snapshots_.begin() + 1;
  }
  // The frames in which effect `number` was played, once per playing.
  std::vector<long> FramesOfEffect(int number) const {
    std::vector<long> frames;
    for (std::size_t i = 0; i < host_.effects.size(); ++i)
      if (host_.effects[i] == number)
        frames.push_back(std::upper_bound(effectsBy_.begin(), effectsBy_.end(), i) - effectsBy_.begin() + 1);
    return frames;
  }

  void Give(int item) { state().HaveItem[item] = 1; }
  static Pixel TileColour(int code) { return Rgb(code, 255 - code, 7); }
  // The colour at the top-left pixel of tile (cx, cy) on the block surface.
  Pixel SurfaceTile(int cx, int cy) { return game_.picGame().pixel(cx * kTileSize, cy * kTileSize); }

  std::vector<std::pair<long, int>> dialogs;  // every item dialog opened: frame, item
  std::vector<GameState> atDialog;            // the state as each opened

 private:
  basMoriva module_;
  Surface tiles_, sprites_;
  RecordingGameHost host_;
  Game game_;
  std::vector<int> held_;
  long stopAfter_ = 0;
  std::vector<GameState> snapshots_;
  std::vector<std::size_t> effectsBy_;  // effects played by the end of each frame
};

}  // namespace moriva::test
