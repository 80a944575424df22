#include "replay/PlaySnapshot.h"

#include <cstring>

#include "game/Game.h"
#include "game/TileClass.h"
#include "platform/KeyCodes.h"
#include "world/basMoriva.h"

namespace moriva {

const int kPlayKeys[kPlayKeyCount] = {vk::kLeft, vk::kRight, vk::kUp, vk::kDown, vk::kSpace, vk::kEnter};

namespace {

constexpr int kItemBits = 10;
constexpr int kCellShift = 8;
constexpr std::uint32_t kCodeMask = 0xFF;
constexpr int kDoorHashBits = 64;
constexpr std::uint64_t kCrumbleStages = 4;  // a floor cell cracks three times, then is gone

std::uint64_t Mix(std::uint64_t h, std::uint64_t v) {
  h ^= v + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
  return h;
}

// The world grid keeps each column's cells together, as the block's working copy does.
const std::uint8_t* MapColumn(const MapGrid& map, int x, int y) {
  return map.cells().data() + static_cast<std::size_t>(x) * kGridSize + static_cast<std::size_t>(y);
}

}  // namespace

PlaySnapshot SnapshotPool::Capture(const Game& game, std::uint64_t* changeHash) {
  const GameState& s = game.state();
  const basMoriva& m = game.module();
  PlaySnapshot p;
  p.HeroX = s.HeroX;
  p.HeroY = s.HeroY;
  p.HeroVX = s.HeroVX;
  p.HeroVY = s.HeroVY;
  p.RestartX = s.RestartX;
  p.RestartY = s.RestartY;
  p.ConveyorVX = s.ConveyorVX;
  p.Countdown = s.Countdown;
  p.RopeRow = s.RopeRow;
  p.CrumbleTimer = s.CrumbleTimer;
  p.SpringTimer = s.SpringTimer;
  p.LauncherTimer = s.LauncherTimer;
  p.HeroState = s.HeroState;
  p.PrevState = s.PrevState;
  p.Facing = s.Facing;
  p.JumpFrames = s.JumpFrames;
  p.SlowFloor = s.SlowFloor;
  p.SwitchOn = s.SwitchOn;
  p.AnimCount = s.AnimCount;
  p.GoalTouched = s.GoalTouched;
  p.SavedInBlock = s.SavedInBlock;
  p.ItemNo = s.ItemNo;
  for (int i = 0; i < kItemBits; ++i)
    if (s.HaveItem[i] != 0) p.items = static_cast<std::uint16_t>(p.items | (1u << i));
  for (int i = 0; i < kPlayKeyCount; ++i)
    if (s.KeyState[kPlayKeys[i]] != 0) p.keys = static_cast<std::uint8_t>(p.keys | (1u << i));
  p.BlockX = static_cast<std::int8_t>(m.BlockX);
  p.BlockY = static_cast<std::int8_t>(m.BlockY);
  p.changesAt = static_cast<std::uint32_t>(changes_.size());
  std::uint64_t hash = 0;
  // A door opens cell by cell as the hero touches it with its key, and any cell of it opens
  // later the same way: which of its cells are open tells nothing that matters, only
  // whether one is, and counting every subset would make a block with a tall door hold
  // dozens of copies of each state.
  std::uint64_t doorsOpened = 0;
  // Of a crumbling floor, how worn it is in all counts, not which bricks: the subsets of a
  // floor four bricks wide would otherwise multiply every state of its block by dozens.
  std::uint64_t worn = 0;
  const int x0 = m.BlockX * kBlockTiles;
  const int y0 = m.BlockY * kBlockTiles;
  for (int i = 0; i < kBlockTilesSize; ++i) {
    // Columns are contiguous in both grids; most of them are as the world has them.
    if (std::memcmp(&s.BlockTiles.cells[i * kBlockTilesSize], MapColumn(m.Map, x0 + i, y0), kBlockTilesSize) == 0)
      continue;
    for (int j = 0; j < kBlockTilesSize; ++j) {
      const std::uint8_t code = s.BlockTiles(i, j);
      if (code == m.Map(x0 + i, y0 + j)) continue;
      const std::uint32_t entry =
          static_cast<std::uint32_t>(i * kBlockTilesSize + j) << kCellShift | code;
      changes_.push_back(entry);
      const std::uint8_t was = m.Map(x0 + i, y0 + j);
      if (ClassOf(was) == TileClass::Door)
        doorsOpened |= 1ull << (was % kDoorHashBits);
      else if (ClassOf(was) == TileClass::Crumble)
        worn += ClassOf(code) == TileClass::Crumble ? static_cast<std::uint64_t>(code - was) : kCrumbleStages;
      else
        hash = Mix(hash, entry);
    }
  }
  p.changesCount = static_cast<std::uint16_t>(changes_.size() - p.changesAt);
  if (doorsOpened != 0 || worn != 0) hash = Mix(Mix(hash, doorsOpened), worn);
  if (changeHash) *changeHash = hash;
  return p;
}

void SnapshotPool::Restore(const PlaySnapshot& p, Game& game) const {
  GameState& s = game.state();
  basMoriva& m = game.module();
  s.HeroX = p.HeroX;
  s.HeroY = p.HeroY;
  s.HeroVX = p.HeroVX;
  s.HeroVY = p.HeroVY;
  s.RestartX = p.RestartX;
  s.RestartY = p.RestartY;
  s.ConveyorVX = p.ConveyorVX;
  s.Countdown = p.Countdown;
  s.RopeRow = p.RopeRow;
  s.CrumbleTimer = p.CrumbleTimer;
  s.SpringTimer = p.SpringTimer;
  s.LauncherTimer = p.LauncherTimer;
  s.HeroState = p.HeroState;
  s.PrevState = p.PrevState;
  s.Facing = p.Facing;
  s.JumpFrames = p.JumpFrames;
  s.SlowFloor = p.SlowFloor;
  s.SwitchOn = p.SwitchOn;
  s.AnimCount = p.AnimCount;
  s.GoalTouched = p.GoalTouched;
  s.SavedInBlock = p.SavedInBlock;
  s.ItemNo = p.ItemNo;
  for (int i = 0; i < kItemBits; ++i) {
    s.HaveItem[i] = static_cast<std::int16_t>((p.items >> i) & 1u);
    s.ItemVisible[i] = s.HaveItem[i] != 0;
  }
  s.KeyState.fill(0);
  for (int i = 0; i < kPlayKeyCount; ++i)
    if ((p.keys >> i) & 1u) s.KeyState[kPlayKeys[i]] = kTrue;
  m.BlockX = p.BlockX;
  m.BlockY = p.BlockY;
  const int x0 = m.BlockX * kBlockTiles;
  const int y0 = m.BlockY * kBlockTiles;
  for (int i = 0; i < kBlockTilesSize; ++i)
    std::memcpy(&s.BlockTiles.cells[i * kBlockTilesSize], MapColumn(m.Map, x0 + i, y0), kBlockTilesSize);
  for (std::uint32_t k = 0; k < p.changesCount; ++k) {
    const std::uint32_t entry = changes_[p.changesAt + k];
    const int cell = static_cast<int>(entry >> kCellShift);
    s.BlockTiles(cell / kBlockTilesSize, cell % kBlockTilesSize) =
        static_cast<std::uint8_t>(entry & kCodeMask);
  }
}

}  // namespace moriva
