#include "editor/CellInfo.h"

#include "game/TileClass.h"

namespace moriva {

namespace {

const char* ClassText(TileClass c) {
  switch (c) {
    case TileClass::Open: return "open background";
    case TileClass::Water: return "water (swim; drowns without the helmet)";
    case TileClass::Fire: return "fire (a miss)";
    case TileClass::RedPool: return "red pool (a miss)";
    case TileClass::Spikes: return "spikes (a miss)";
    case TileClass::Spring: return "spring (throws the hero up)";
    case TileClass::Ladder: return "ladder (climb)";
    case TileClass::LauncherLeft: return "launcher to the left";
    case TileClass::LauncherRight: return "launcher to the right";
    case TileClass::Float: return "float area (rise)";
    case TileClass::Hook: return "hook (the rope catches)";
    case TileClass::FlameJet: return "flame jet (a miss)";
    case TileClass::TreasureBox: return "treasure box";
    case TileClass::HiddenBlock: return "hidden block (shows when bumped from below)";
    case TileClass::Solid: return "solid ground or wall";
    case TileClass::Goal: return "goal";
    case TileClass::Switch: return "switch";
    case TileClass::Crumble: return "crumbling floor";
    case TileClass::Door: return "door (opens with its key)";
    case TileClass::Glass: return "glass";
    case TileClass::CrackedGlass: return "cracked glass";
    case TileClass::Conveyor: return "conveyor";
    case TileClass::Ice: return "ice";
  }
  return "open background";
}

}  // namespace

std::string DescribeCode(std::uint8_t code) {
  std::string text = "code " + std::to_string(code) + ": " + ClassText(ClassOf(code));
  if (code >= kSheetTiles) text += ", no picture (draws black)";
  return text;
}

std::string DescribeCell(const MapGrid& map, int bx, int by, Cell cell) {
  const int wx = bx * kBlockTiles + cell.x;
  const int wy = by * kBlockTiles + cell.y;
  return "block (" + std::to_string(bx) + ", " + std::to_string(by) + ") cell (" +
         std::to_string(cell.x) + ", " + std::to_string(cell.y) + ") world (" + std::to_string(wx) +
         ", " + std::to_string(wy) + ") " + DescribeCode(map.at(wx, wy));
}

}  // namespace moriva
