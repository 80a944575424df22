#pragma once

#include <string_view>

namespace moriva::pictures {

// What each tile code means to the game, as far as its picture must show it. The game keeps
// its own catalogue; this one only lets the picture generator and its tests check that
// every code is drawn as what it is.
enum class TileRole {
  Open,           // background without effect, the rope passes
  OpenRopeStop,   // background without effect that catches a thrown rope
  Water,
  Fire,
  RedPool,
  Spikes,
  Spring,
  Ladder,
  LauncherLeft,
  LauncherRight,
  FloatArea,
  Hook,
  FlameJet,
  TreasureBox,
  HiddenBlock,    // looks exactly like kHiddenTwinCode
  Solid,
  Goal,
  Switch,
  CrumbleFirst,
  CrumbleSecond,
  DoorBlue,
  DoorGreen,
  DoorRed,
  DoorYellow,
  Glass,
  CrackedGlass,
  ConveyorLeft,
  ConveyorRight,
  FastConveyorLeft,
  FastConveyorRight,
  Ice,
};

constexpr int kSheetCodes = 192;      // codes with a picture on the tile sheet
constexpr int kSheetColumns = 8;
constexpr int kCell = 32;
constexpr int kHiddenTwinCode = 0;    // the night sky, which the hidden blocks copy

TileRole RoleOf(int code);
std::string_view RoleName(TileRole role);

// True when a tile of this code shows a pressed picture from the cell to its right while
// the hero is held on it (springs and launchers not at the end of a sheet row).
bool HasPressedPicture(int code);

}  // namespace moriva::pictures
