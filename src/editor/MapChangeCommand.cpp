#include "editor/MapChangeCommand.h"

namespace moriva {

MapChangeCommand::MapChangeCommand(const QString& text, MapGrid& map, const MapGrid& before,
                                   std::function<void()> changed)
    : QUndoCommand(text), map_(map), changed_(std::move(changed)) {
  // The spare row and column belong to no edit; the world proper is compared.
  for (int x = 0; x < kWorldTiles; ++x)
    for (int y = 0; y < kWorldTiles; ++y)
      if (before(x, y) != map(x, y))
        cells_.push_back({static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), before(x, y),
                          map(x, y)});
}

void MapChangeCommand::undo() {
  for (const CellChange& c : cells_) map_(c.x, c.y) = c.before;
  applied_ = false;
  if (changed_) changed_();
}

void MapChangeCommand::redo() {
  if (applied_) return;
  for (const CellChange& c : cells_) map_(c.x, c.y) = c.after;
  applied_ = true;
  if (changed_) changed_();
}

}  // namespace moriva
