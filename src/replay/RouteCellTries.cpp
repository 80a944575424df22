#include "replay/RouteCellTries.h"

#include <algorithm>
#include <limits>

namespace moriva {

std::size_t RouteCellTries::IndexOf(int blockX, int blockY, int cellX, int cellY) {
  const auto clamp = [](int v, int last) { return static_cast<std::size_t>(std::clamp(v, 0, last)); };
  return (clamp(blockX, kWorldBlocks - 1) * kWorldBlocks + clamp(blockY, kWorldBlocks - 1)) * kCellsPerBlock +
         clamp(cellX, kBlockTiles - 1) * kBlockTiles + clamp(cellY, kBlockTiles - 1);
}

std::uint32_t RouteCellTries::PassOf(int blockX, int blockY, int cellX, int cellY, std::uint16_t items) const {
  const auto& table = tables_[items % kItemSets];
  return table ? (*table)[IndexOf(blockX, blockY, cellX, cellY)] / kTriesPerPass : 0;
}

void RouteCellTries::Count(int blockX, int blockY, int cellX, int cellY, std::uint16_t items) {
  auto& table = tables_[items % kItemSets];
  if (!table) {
    table = std::make_unique<Table>();
    table->fill(0);
  }
  std::uint16_t& tries = (*table)[IndexOf(blockX, blockY, cellX, cellY)];
  if (tries < std::numeric_limits<std::uint16_t>::max()) ++tries;
}

std::size_t RouteCellTries::bytes() const {
  return static_cast<std::size_t>(std::count_if(tables_.begin(), tables_.end(),
                                                [](const auto& t) { return t != nullptr; })) *
         sizeof(Table);
}

}  // namespace moriva
