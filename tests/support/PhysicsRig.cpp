#include "support/PhysicsRig.h"

namespace moriva::test {

void RecordingHost::FrameBegins(long) {
  ++frame;
  GameState& s = game->state();
  for (int key : held) s.KeyState[key] = kTrue;
}

void RecordingHost::FrameEnded(long) {
  snapshots.push_back(game->state());
  if (frame >= stopAfter) game->state().StopLoop = kTrue;
}

std::vector<long> RecordingHost::FramesOfEffect(int number) const {
  std::vector<long> frames;
  for (const Call& c : effects) {
    if (c.value == number) frames.push_back(c.frame);
  }
  return frames;
}

PhysicsRig::PhysicsRig(const WorldBuilder& world)
    : tiles_(kSheetWidth, kSheetHeight),
      sprites_(kSheetWidth, kSheetHeight),
      game_(module_, tiles_, sprites_, host_, "/nonexistent-moriva-folder") {
  module_.Map = world.Map();
  for (int code = 0; code < kSheetTiles; ++code) {
    tiles_.fillRect(code % kSheetColumns * kTileSize, code / kSheetColumns * kTileSize, kTileSize,
                    kTileSize, TileColour(code));
  }
  host_.game = &game_;
  game_.SetViewFrame(320, 320);
}

void PhysicsRig::Start(int bx, int by, double x, double y) {
  game_.ResetGame();
  module_.BlockX = static_cast<std::int16_t>(bx);
  module_.BlockY = static_cast<std::int16_t>(by);
  GameState& s = game_.state();
  s.HeroX = static_cast<float>(x);
  s.HeroY = static_cast<float>(y);
  game_.EnterBlock();
}

RunResult PhysicsRig::Run(int frames, std::initializer_list<int> keys) {
  host_.held.assign(keys.begin(), keys.end());
  host_.stopAfter = host_.frame + frames;
  return game_.RunGame();
}

}  // namespace moriva::test
