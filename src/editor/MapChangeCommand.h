#pragma once

#include <QUndoCommand>
#include <cstdint>
#include <functional>
#include <vector>

#include "world/MapGrid.h"

namespace moriva {

// One undoable edit of the world map grid, kept as the cells it changed. The edit has
// already been made when the command is pushed, so its first redo does nothing.
class MapChangeCommand : public QUndoCommand {
 public:
  struct CellChange {
    std::uint8_t x;
    std::uint8_t y;
    std::uint8_t before;
    std::uint8_t after;
  };

  // `changed` runs after every undo and redo, so the windows redraw what the grid now holds.
  MapChangeCommand(const QString& text, MapGrid& map, const MapGrid& before,
                   std::function<void()> changed);

  void undo() override;
  void redo() override;

  bool empty() const { return cells_.empty(); }
  std::size_t size() const { return cells_.size(); }

 private:
  MapGrid& map_;
  std::vector<CellChange> cells_;
  std::function<void()> changed_;
  bool applied_ = true;
};

}  // namespace moriva
