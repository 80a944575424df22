#pragma once

#include <cstdint>

namespace moriva::physics {

// Items that change how the hero moves.
constexpr int kItemJumpShoes = 5;
constexpr int kItemDivingHelmet = 6;
constexpr int kItemRope = 7;
constexpr int kItemDumplings = 8;
constexpr int kItemPampasGrass = 9;

// Normal state.
constexpr double kDrag = 0.98;
constexpr double kGravity = 0.25;
constexpr double kAirAccel = 0.15;       // only below kAirAccelLimit
constexpr double kAirAccelLimit = 4.0;
constexpr double kGroundAccel = 0.4;     // on top, while JumpFrames = 0
constexpr double kSlowFloorCut = 0.6;    // ice and crumbling floors keep 40 %
constexpr double kLift = 1.0;
constexpr int kJumpFramesBase = 7;       // plus 2 for each pair of jump shoes
constexpr int kJumpFramesPerShoes = 2;
constexpr std::int16_t kNoLift = 999;
constexpr double kFallingSpeed = 0.3;    // faster than this ends a jump's lift

// Climbing, swimming, floating, burning.
constexpr double kClimbSpeed = 3.0;
constexpr std::int16_t kClimbJumpFrames = 3;
constexpr double kSwimDrag = 0.82;
constexpr double kSwimSink = 0.07;
constexpr double kSwimSpeed = 2.0;
constexpr double kSwimLift = 0.6;
constexpr double kSwimTiredLift = 0.03;
constexpr double kFloatDrag = 0.88;
constexpr double kFloatSink = 0.03;
constexpr double kFloatSpeed = 2.0;
constexpr double kFloatRise = -1.5;
constexpr double kBurntDrag = 0.96;

// The rope.
constexpr double kRopeClimbSpeed = 4.0;
constexpr int kRopeHookDrop = 24;        // line top: 8 px below the hook tile's top
constexpr int kRopeColumnOffset = 15;

// Movement and the block edges.
constexpr double kSpeedLimit = 15.0;
constexpr double kEdgeLow = 32.0;        // the hero's corner stays in kEdgeLow .. kEdgeHigh
constexpr double kEdgeHigh = 1536.0;
constexpr double kArriveHigh = 1528.0;   // where a crossing puts the hero in the new block
constexpr double kArriveLow = 40.0;
constexpr int kLastBlock = 4;
constexpr std::int32_t kFallCountdown = 80;

// Tile checks.
constexpr int kHeroSize = 32;
constexpr int kHeadX = 15;               // head and centre sample column inside the hero
constexpr int kCentre = 15;
constexpr int kLeftFootX = 4;
constexpr int kRightFootX = 27;
constexpr double kGroundFriction = 0.92;
constexpr double kLandingKeep = 0.3;     // sideways speed kept on landing from the air
constexpr double kBumpSpeed = -1.0;      // a head bump faster than this shows stars
constexpr std::int16_t kBumpFrames = 8;
constexpr int kBumpAbove = 12;
constexpr double kSwitchBounce = -3.0;
constexpr std::int32_t kCrumbleFrames = 30;
constexpr double kCrumbleLandingKeep = 0.5;
constexpr double kGlassCrackSpeed = 14.0;
constexpr double kGlassCrackRise = 15.0;
constexpr double kGlassRebound = -5.0;
constexpr double kCrackedGlassRise = 6.0;
constexpr double kCrackedGlassRebound = -2.0;
constexpr std::int32_t kBurnCountdown = 90;
constexpr std::int32_t kSpikesCountdown = 60;
constexpr std::int32_t kDrownCountdown = 150;
constexpr std::int32_t kGoalCountdown = 150;
constexpr std::int32_t kSpringHold = 15;
constexpr int kSpringSeat = 16;          // the hero sits half a tile into the spring
constexpr double kSpringSeatSpeed = 0.05;
constexpr double kSpringSeatKeep = 0.5;
constexpr double kSpringHoldSpeed = 0.1;
constexpr double kSpringHoldKeep = 0.9;
constexpr double kSpringThrow = -14.0;
constexpr std::int32_t kLauncherHold = 9;
constexpr int kLauncherSeatLeft = -3;
constexpr int kLauncherSeatRight = 28;
constexpr double kLauncherHoldSpeed = 0.2;
constexpr double kLauncherThrow = 15.0;
constexpr double kWaterEntryKeep = 0.33;
constexpr std::int16_t kSplashFrames = 20;
constexpr int kSplashAbove = 16;
constexpr double kDrownSink = 0.4;
constexpr double kFloatEntryKeep = 0.15;
constexpr std::int16_t kFloatJumpFrames = 3;
constexpr std::int16_t kFlameJetDeadlyFrames = 10;  // of every 100
constexpr std::int16_t kLadderJumpFrames = 1;

constexpr std::int16_t kItemNoGoalNotice = 200;

}  // namespace moriva::physics
