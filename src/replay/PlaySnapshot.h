#pragma once

#include <cstdint>
#include <vector>

namespace moriva {

class Game;

// A moment of play as a route search keeps it: every field the frame code reads to decide
// what happens next, the held movement keys, the current block and the cells of the
// block's working copy that play has changed. Restoring one into a game and running the
// frame code goes on exactly as the game that was captured would. What only the window
// shows (sprite lists, rope line ends, block-map colours, miss counts, the rate label) is
// not kept; the frame code writes those and never decides by them.
struct PlaySnapshot {
  float HeroX = 0, HeroY = 0, HeroVX = 0, HeroVY = 0;
  float RestartX = 0, RestartY = 0, ConveyorVX = 0;
  std::int32_t Countdown = 0, RopeRow = 0;
  std::int32_t CrumbleTimer = 0, SpringTimer = 0, LauncherTimer = 0;
  std::int16_t HeroState = 0, PrevState = 0, Facing = 0, JumpFrames = 0, SlowFloor = 0;
  std::int16_t SwitchOn = 0, AnimCount = 0, GoalTouched = 0, SavedInBlock = 0, ItemNo = 0;
  std::uint16_t items = 0;      // bit i: item i owned
  std::uint8_t keys = 0;        // bit i: kPlayKeys[i] held
  std::int8_t BlockX = 0, BlockY = 0;
  // The block's changed cells: positions in changes() of the pool the snapshot was taken with.
  std::uint32_t changesAt = 0;
  std::uint16_t changesCount = 0;
};

// The keys a route moves with, in the order of PlaySnapshot::keys' bits.
constexpr int kPlayKeyCount = 6;
extern const int kPlayKeys[kPlayKeyCount];  // Left, Right, Up, Down, Space, Enter

// Changed cells of all snapshots, each as (cell index x * 51 + y) << 8 | code.
class SnapshotPool {
 public:
  // Captures the game's play state; `changeHash` receives a hash of the changed cells.
  PlaySnapshot Capture(const Game& game, std::uint64_t* changeHash = nullptr);
  // Puts a captured moment back into the game (the world map must be the one captured from).
  void Restore(const PlaySnapshot& snap, Game& game) const;
  // Gives back the cells of the last capture, when that moment is not kept.
  void DropLast(const PlaySnapshot& snap) {
    if (snap.changesAt + snap.changesCount == changes_.size()) changes_.resize(snap.changesAt);
  }
  std::size_t bytes() const { return changes_.capacity() * sizeof(std::uint32_t); }

 private:
  std::vector<std::uint32_t> changes_;
};

}  // namespace moriva
