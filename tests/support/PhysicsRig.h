#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "game/Game.h"
#include "game/HeadlessGameHost.h"
#include "platform/Clock.h"
#include "platform/Surface.h"
#include "support/WorldBuilder.h"
#include "world/basMoriva.h"

namespace moriva::test {

// A host that records what play asks of the outside world, frame by frame.
class RecordingHost : public HeadlessGameHost {
 public:
  struct Call {
    long frame;
    int value;
    bool operator==(const Call&) const = default;
  };

  void PlayEffect(int number) override { effects.push_back({frame, number}); }
  void ShowItemDialog(int itemNo) override {
    dialogs.push_back({frame, itemNo});
    atDialog.push_back(game->state());
  }
  void ShowEndingView() override { endings.push_back({frame, 0}); }
  void FrameBegins(long f) override;
  void FrameEnded(long f) override;

  // Effects of one number, by frame.
  std::vector<long> FramesOfEffect(int number) const;

  Game* game = nullptr;
  long frame = 0;           // frames counted across runs, from 1
  long stopAfter = 0;       // the run ends after this frame
  std::vector<int> held;    // keys held during the run
  std::vector<GameState> snapshots;  // the state at the end of every frame
  std::vector<GameState> atDialog;   // the state as each item dialog opened
  std::vector<Call> effects, dialogs, endings;
};

// One game on a hand-built world, run frame by frame through the real frame loop.
class PhysicsRig {
 public:
  explicit PhysicsRig(const WorldBuilder& world);

  // A new game placed in block (bx, by) with the hero's corner at (x, y), entered as the
  // title would enter it.
  void Start(int bx, int by, double x, double y);

  // Runs `frames` frames with exactly these keys held throughout. Returns how the loop
  // ended (Stopped when all frames ran).
  RunResult Run(int frames, std::initializer_list<int> keys = {});

  GameState& state() { return game_.state(); }
  basMoriva& module() { return module_; }
  Game& game() { return game_; }
  RecordingHost& host() { return host_; }
  // The state at the end of frame n (counted from 1 across runs).
  const GameState& At(long n) const { return host_.snapshots.at(static_cast<std::size_t>(n - 1)); }
  long frame() const { return host_.frame; }
  // The first frame run so far whose end state satisfies `pred`; 0 when none does.
  template <typename Pred>
  long FirstFrame(Pred pred) const {
    for (std::size_t i = 0; i < host_.snapshots.size(); ++i)
      if (pred(host_.snapshots[i])) return static_cast<long>(i) + 1;
    return 0;
  }

  // Gives the hero item n.
  void Give(int item) { game_.state().HaveItem[item] = 1; }

  // The colour the test tile sheet paints every cell of code c with.
  static Pixel TileColour(int code) { return Rgb(code, 255 - code, 7); }
  // The colour at the top-left pixel of tile (cx, cy) on the block surface.
  Pixel SurfaceTile(int cx, int cy) { return game_.picGame().pixel(cx * kTileSize, cy * kTileSize); }

 private:
  basMoriva module_;
  Surface tiles_;
  Surface sprites_;
  RecordingHost host_;
  Game game_;
};

}  // namespace moriva::test
