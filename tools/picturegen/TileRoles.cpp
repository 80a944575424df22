#include "TileRoles.h"

#include <array>

namespace moriva::pictures {

namespace {

struct RoleRange {
  int first, last;
  TileRole role;
};

// Listed ranges override the default of their half of the sheet (open below 96, solid from 96).
constexpr std::array kRanges{
    RoleRange{5, 5, TileRole::Water},          RoleRange{48, 49, TileRole::Water},
    RoleRange{56, 57, TileRole::Water},        RoleRange{86, 87, TileRole::Water},
    RoleRange{90, 95, TileRole::Water},        RoleRange{32, 32, TileRole::Fire},
    RoleRange{33, 33, TileRole::RedPool},      RoleRange{34, 37, TileRole::Spikes},
    RoleRange{38, 39, TileRole::Spring},       RoleRange{68, 71, TileRole::Spring},
    RoleRange{40, 43, TileRole::Ladder},       RoleRange{65, 67, TileRole::Ladder},
    RoleRange{44, 45, TileRole::LauncherLeft}, RoleRange{72, 73, TileRole::LauncherLeft},
    RoleRange{76, 77, TileRole::LauncherLeft}, RoleRange{46, 47, TileRole::LauncherRight},
    RoleRange{74, 75, TileRole::LauncherRight}, RoleRange{78, 79, TileRole::LauncherRight},
    RoleRange{50, 51, TileRole::FloatArea},    RoleRange{58, 60, TileRole::FloatArea},
    RoleRange{52, 53, TileRole::Hook},         RoleRange{54, 54, TileRole::FlameJet},
    RoleRange{55, 55, TileRole::TreasureBox},  RoleRange{82, 83, TileRole::TreasureBox},
    RoleRange{61, 62, TileRole::HiddenBlock},  RoleRange{142, 142, TileRole::Goal},
    RoleRange{143, 143, TileRole::Switch},     RoleRange{144, 147, TileRole::CrumbleFirst},
    RoleRange{160, 163, TileRole::CrumbleSecond}, RoleRange{148, 148, TileRole::DoorBlue},
    RoleRange{149, 149, TileRole::DoorGreen},  RoleRange{150, 150, TileRole::DoorRed},
    RoleRange{151, 151, TileRole::DoorYellow}, RoleRange{152, 152, TileRole::Glass},
    RoleRange{153, 153, TileRole::CrackedGlass}, RoleRange{154, 154, TileRole::ConveyorLeft},
    RoleRange{155, 155, TileRole::ConveyorRight}, RoleRange{158, 158, TileRole::FastConveyorLeft},
    RoleRange{159, 159, TileRole::FastConveyorRight}, RoleRange{156, 157, TileRole::Ice},
};

constexpr int kFirstSolid = 96;
constexpr int kFirstRopeStop = 65;

}  // namespace

TileRole RoleOf(int code) {
  for (const RoleRange& r : kRanges)
    if (code >= r.first && code <= r.last) return r.role;
  if (code >= kFirstSolid) return TileRole::Solid;
  return code >= kFirstRopeStop ? TileRole::OpenRopeStop : TileRole::Open;
}

std::string_view RoleName(TileRole role) {
  switch (role) {
    case TileRole::Open: return "open";
    case TileRole::OpenRopeStop: return "open, stops the rope";
    case TileRole::Water: return "water";
    case TileRole::Fire: return "fire";
    case TileRole::RedPool: return "red pool";
    case TileRole::Spikes: return "spikes";
    case TileRole::Spring: return "spring";
    case TileRole::Ladder: return "ladder";
    case TileRole::LauncherLeft: return "launcher left";
    case TileRole::LauncherRight: return "launcher right";
    case TileRole::FloatArea: return "float area";
    case TileRole::Hook: return "hook";
    case TileRole::FlameJet: return "flame jet";
    case TileRole::TreasureBox: return "treasure box";
    case TileRole::HiddenBlock: return "hidden block";
    case TileRole::Solid: return "solid";
    case TileRole::Goal: return "goal";
    case TileRole::Switch: return "switch";
    case TileRole::CrumbleFirst: return "crumbling floor 1";
    case TileRole::CrumbleSecond: return "crumbling floor 2";
    case TileRole::DoorBlue: return "blue door";
    case TileRole::DoorGreen: return "green door";
    case TileRole::DoorRed: return "red door";
    case TileRole::DoorYellow: return "yellow door";
    case TileRole::Glass: return "glass";
    case TileRole::CrackedGlass: return "cracked glass";
    case TileRole::ConveyorLeft: return "conveyor left";
    case TileRole::ConveyorRight: return "conveyor right";
    case TileRole::FastConveyorLeft: return "fast conveyor left";
    case TileRole::FastConveyorRight: return "fast conveyor right";
    case TileRole::Ice: return "ice";
  }
  return "?";
}

bool HasPressedPicture(int code) {
  const TileRole role = RoleOf(code);
  const bool held = role == TileRole::Spring || role == TileRole::LauncherLeft ||
                    role == TileRole::LauncherRight;
  return held && code % kSheetColumns != kSheetColumns - 1;
}

}  // namespace moriva::pictures
