// Timings of the game on the shipped world: one frame of play (rules and drawing onto the
// block surface, unpaced) and entering a block.

#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <chrono>

#include "game/Game.h"
#include "game/GameState.h"
#include "game/HeadlessGameHost.h"
#include "platform/Clock.h"
#include "platform/KeyCodes.h"
#include "platform/Pictures.h"
#include "world/MapFile.h"
#include "world/basMoriva.h"

namespace moriva {
namespace {

constexpr long kFramesPerRun = 2000;
constexpr long kStrideFrames = 90;  // frames of walking one way before turning

// Plays without a window: holds the walking keys the run asks for, answers No, and times
// each frame from its start to its end (the frame wait on the virtual clock is instant).
class TimingHost final : public HeadlessGameHost {
 public:
  using Clock = std::chrono::steady_clock;
  Game* game = nullptr;
  long stopAfter = 0;
  Clock::duration inFrames{};

  void FrameBegins(long frame) override {
    // Walk right, then left, jumping now and then: the hero keeps moving over the block.
    const bool right = frame / kStrideFrames % 2 == 0;
    game->KeyUp(right ? vk::kLeft : vk::kRight);
    game->KeyDown(right ? vk::kRight : vk::kLeft);
    if (frame % 40 == 0) game->KeyDown(vk::kSpace);
    if (frame % 40 == 10) game->KeyUp(vk::kSpace);
    begun_ = Clock::now();
  }
  void FrameEnded(long frame) override {
    inFrames += Clock::now() - begun_;
    if (frame >= stopAfter) game->state().StopLoop = kTrue;
  }

 private:
  Clock::time_point begun_;
};

struct ShippedGame {
  QTemporaryDir folder;
  basMoriva module;
  Surface tiles = LoadPicture("tiles");
  Surface sprites = LoadPicture("sprites");
  TimingHost host;
  Game game{module, tiles, sprites, host, folder.path().toStdString()};
  bool ok = LoadMap(MORIVA_SHIPPED_WORLD, module.Map).ok && !tiles.empty() && !sprites.empty();

  ShippedGame() {
    host.game = &game;
    game.SetViewFrame(kViewFrameSize, kViewFrameSize);
    game.ReturnToTitle();
  }
};

void BM_Frame(benchmark::State& state) {
  ShippedGame g;
  if (!g.ok) state.SkipWithError("the shipped world or the pictures cannot be read");
  g.host.stopAfter = kFramesPerRun;
  long frames = 0;
  for (auto _ : state) {
    g.host.inFrames = {};
    g.game.ReturnToTitle();
    g.game.lblTitle_Click(0);
    frames += g.game.frame();
    state.SetIterationTime(std::chrono::duration<double>(g.host.inFrames).count());
  }
  // Time per iteration covers kFramesPerRun frames; the rate counter gives one frame.
  state.counters["frame"] = benchmark::Counter(static_cast<double>(frames),
                                               benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Frame)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_EnterBlock(benchmark::State& state) {
  ShippedGame g;
  if (!g.ok) state.SkipWithError("the shipped world or the pictures cannot be read");
  g.game.ResetGame();
  int block = 0;
  for (auto _ : state) {
    g.module.BlockX = static_cast<std::int16_t>(block % kWorldBlocks);
    g.module.BlockY = static_cast<std::int16_t>(block / kWorldBlocks % kWorldBlocks);
    g.game.EnterBlock();
    benchmark::DoNotOptimize(g.game.picGame().data());
    ++block;
  }
}
BENCHMARK(BM_EnterBlock)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace moriva
