#pragma once

#include <cstdint>

namespace moriva {

// What a tile code does to the hero. Codes with no class of their own are open
// background (0..95) or plain solid ground and wall (96..191); 192..255 have no picture
// and no behaviour, so they act as open background.
enum class TileClass : std::uint8_t {
  Open,
  Water,
  Fire,
  RedPool,
  Spikes,
  Spring,         // throws the hero up
  Ladder,         // ladder, pole, fence
  LauncherLeft,
  LauncherRight,
  Float,
  Hook,           // the rope catches here
  FlameJet,
  TreasureBox,
  HiddenBlock,    // revealed by a bump from below
  Solid,          // plain ground and wall
  Goal,
  Switch,
  Crumble,        // crumbling floor, both kinds
  Door,
  Glass,
  CrackedGlass,
  Conveyor,       // both speeds
  Ice,
};

namespace tile {
// The solid range: stops the hero at head, sides and feet.
constexpr int kFirstSolid = 96;
constexpr int kLastSolid = 191;
// Codes above this stop a thrown rope (65..95 let the hero through but not the rope).
constexpr int kLastRopeOpen = 64;

constexpr std::uint8_t kHiddenBlock = 61;       // becomes kRevealedBlock
constexpr std::uint8_t kHiddenIceBlock = 62;    // becomes kRevealedIceBlock
constexpr std::uint8_t kRevealedBlock = 135;
constexpr std::uint8_t kRevealedIceBlock = 157;
constexpr std::uint8_t kFire = 32;
constexpr std::uint8_t kRedPool = 33;
constexpr std::uint8_t kFlameJet = 54;
constexpr std::uint8_t kGoal = 142;
constexpr std::uint8_t kSwitch = 143;
constexpr std::uint8_t kFirstDoor = 148;        // blue, green, red, yellow: keys 0..3
constexpr std::uint8_t kGlass = 152;
constexpr std::uint8_t kCrackedGlass = 153;
// A crumbling floor that advances onto one of these has gone.
constexpr std::uint8_t kCrumbleGoneFirst = 148;
constexpr std::uint8_t kCrumbleGoneSecond = 164;
}  // namespace tile

TileClass ClassOf(std::uint8_t code);

constexpr bool IsSolidTile(int code) { return code >= tile::kFirstSolid && code <= tile::kLastSolid; }
constexpr bool StopsRope(int code) { return code > tile::kLastRopeOpen; }

// The key item (0..3) that opens a door code 148..151.
constexpr int DoorKey(int code) { return code - tile::kFirstDoor; }

// The extra sideways push of a running conveyor, pixels per frame; 0 for other codes.
double ConveyorPush(std::uint8_t code);

}  // namespace moriva
