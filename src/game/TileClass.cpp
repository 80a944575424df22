#include "game/TileClass.h"

#include <array>

namespace moriva {
namespace {

struct ClassRange {
  std::uint8_t first;
  std::uint8_t last;
  TileClass cls;
};

// The catalogue of every code that does more than the open or solid default.
constexpr ClassRange kCatalogue[] = {
    {5, 5, TileClass::Water},
    {32, 32, TileClass::Fire},
    {33, 33, TileClass::RedPool},
    {34, 37, TileClass::Spikes},
    {38, 39, TileClass::Spring},
    {40, 43, TileClass::Ladder},
    {44, 45, TileClass::LauncherLeft},
    {46, 47, TileClass::LauncherRight},
    {48, 49, TileClass::Water},
    {50, 51, TileClass::Float},
    {52, 53, TileClass::Hook},
    {54, 54, TileClass::FlameJet},
    {55, 55, TileClass::TreasureBox},
    {56, 57, TileClass::Water},
    {58, 60, TileClass::Float},
    {61, 62, TileClass::HiddenBlock},
    {65, 67, TileClass::Ladder},
    {68, 71, TileClass::Spring},
    {72, 73, TileClass::LauncherLeft},
    {74, 75, TileClass::LauncherRight},
    {76, 77, TileClass::LauncherLeft},
    {78, 79, TileClass::LauncherRight},
    {82, 83, TileClass::TreasureBox},
    {86, 87, TileClass::Water},
    {90, 95, TileClass::Water},
    {142, 142, TileClass::Goal},
    {143, 143, TileClass::Switch},
    {144, 147, TileClass::Crumble},
    {148, 151, TileClass::Door},
    {152, 152, TileClass::Glass},
    {153, 153, TileClass::CrackedGlass},
    {154, 155, TileClass::Conveyor},
    {156, 157, TileClass::Ice},
    {158, 159, TileClass::Conveyor},
    {160, 163, TileClass::Crumble},
};

constexpr std::array<TileClass, 256> BuildTable() {
  std::array<TileClass, 256> table{};
  for (int code = 0; code < 256; ++code) {
    table[code] = IsSolidTile(code) ? TileClass::Solid : TileClass::Open;
  }
  for (const ClassRange& r : kCatalogue) {
    for (int code = r.first; code <= r.last; ++code) table[code] = r.cls;
  }
  return table;
}

constexpr std::array<TileClass, 256> kClassOf = BuildTable();

}  // namespace

TileClass ClassOf(std::uint8_t code) { return kClassOf[code]; }

double ConveyorPush(std::uint8_t code) {
  switch (code) {
    case 154: return -1.0;
    case 155: return 1.0;
    case 158: return -4.0;
    case 159: return 4.0;
    default: return 0.0;
  }
}

}  // namespace moriva
