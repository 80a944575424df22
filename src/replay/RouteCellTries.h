#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "world/MapGrid.h"
#include "world/SaveSlotData.h"

namespace moriva {

// How often the route search has tried a state in each cell of the world with each set of
// items. Trying the shortest routes first floods a block with every speed and state the
// hero can have in each of its cells (hundreds of thousands of states) before the one state
// that climbs out of it is tried; ranking a state by how often its cell has been tried
// already sends the search to the cells it has not stood in yet, wherever they are, and
// brings it back for the finer combinations in later passes.
class RouteCellTries {
 public:
  // States of one cell tried before the next one waits for the rest of the world.
  static constexpr std::uint16_t kTriesPerPass = 4;

  // The pass a state of this cell (cells outside the block count as its edge) and these
  // items (bit i: item i) belongs to now.
  std::uint32_t PassOf(int blockX, int blockY, int cellX, int cellY, std::uint16_t items) const;
  void Count(int blockX, int blockY, int cellX, int cellY, std::uint16_t items);
  std::size_t bytes() const;

 private:
  static constexpr std::size_t kCellsPerBlock = kBlockTiles * kBlockTiles;
  static constexpr std::size_t kItemSets = std::size_t{1} << kItemCount;
  using Table = std::array<std::uint16_t, kWorldBlocks * kWorldBlocks * kCellsPerBlock>;

  static std::size_t IndexOf(int blockX, int blockY, int cellX, int cellY);

  // One table per set of items, made when a state with that set is first tried.
  std::array<std::unique_ptr<Table>, kItemSets> tables_;
};

}  // namespace moriva
