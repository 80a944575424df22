#include <gtest/gtest.h>

#include "game/Animation.h"

namespace moriva {
namespace {

TEST(AnimationTable, SpotChecksFollowTheirPeriods) {
  EXPECT_EQ(AnimatedCell(4, 0, 1), 106);
  EXPECT_EQ(AnimatedCell(4, 8, 1), 107);
  EXPECT_EQ(AnimatedCell(4, 16, 1), 106);
  EXPECT_EQ(AnimatedCell(5, 9, 1), 108);
  EXPECT_EQ(AnimatedCell(5, 10, 1), 109);
  EXPECT_EQ(AnimatedCell(7, 4, 0), 127);
  EXPECT_EQ(AnimatedCell(12, 8, 0), 105);
  EXPECT_EQ(AnimatedCell(15, 3, 0), 124);
  EXPECT_EQ(AnimatedCell(17, 6, 0), 113);
  EXPECT_EQ(AnimatedCell(18, 4, 0), 115);
  EXPECT_EQ(AnimatedCell(25, 12, 0), 120);
  EXPECT_EQ(AnimatedCell(26, 4, 0), 123);
  EXPECT_EQ(AnimatedCell(32, 10, 0), 101);
  EXPECT_EQ(AnimatedCell(49, 24, 0), 110);
  EXPECT_EQ(AnimatedCell(49, 25, 0), 111);
  EXPECT_EQ(AnimatedCell(56, 50, 0), 102);
  EXPECT_EQ(AnimatedCell(90, 25, 0), 129);
  EXPECT_EQ(AnimatedCell(91, 99, 0), 131);
  EXPECT_EQ(AnimatedCell(92, 0, 0), 132);
  EXPECT_EQ(AnimatedCell(93, 75, 0), 135);
}

TEST(AnimationTable, FlameJetRanges) {
  const int expected[100] = {
      90, 90, 90, 89, 89, 88, 88, 88, 88, 88,  // 0..9
      89, 89, 89, 89, 89, 88, 88, 88, 90, 90,  // 10..19
      90,                                      // 20
  };
  for (int c = 0; c <= 20; ++c) EXPECT_EQ(AnimatedCell(54, c, 1), expected[c]) << "c = " << c;
  for (int c = 21; c < 100; ++c) EXPECT_EQ(AnimatedCell(54, c, 1), 91) << "c = " << c;
}

TEST(AnimationTable, ConveyorsAndSwitchRunOnlyWhileTheSwitchIsOn) {
  for (int c = 0; c < 100; ++c) {
    EXPECT_EQ(AnimatedCell(154, c, 0), 96);
    EXPECT_EQ(AnimatedCell(155, c, 0), 99);
    EXPECT_EQ(AnimatedCell(158, c, 0), 116);
    EXPECT_EQ(AnimatedCell(159, c, 0), 119);
    EXPECT_EQ(AnimatedCell(143, c, 0), 94);
    EXPECT_EQ(AnimatedCell(172, c, 0), 138);
  }
  EXPECT_EQ(AnimatedCell(154, 15, 1), 99);
  EXPECT_EQ(AnimatedCell(155, 15, 1), 96);
  EXPECT_EQ(AnimatedCell(158, 3, 1), 119);
  EXPECT_EQ(AnimatedCell(159, 2, 1), 117);
  EXPECT_EQ(AnimatedCell(143, 0, 1), 93);
  EXPECT_EQ(AnimatedCell(143, 5, 1), 92);
  EXPECT_EQ(AnimatedCell(172, 10, 1), 136);
}

TEST(AnimationTable, OtherTilesDoNotAnimate) {
  for (int t : {0, 1, 6, 33, 48, 55, 100, 142, 156, 191, 255}) EXPECT_EQ(AnimatedCell(t, 5, 1), -1);
}

GameState Hero(std::int16_t state, int facing = 0) {
  GameState s;
  s.HeroState = state;
  s.Facing = static_cast<std::int16_t>(facing);
  s.HeroX = 64;
  s.HeroY = 64;
  return s;
}

TEST(HeroSprite, MissesAndGoal) {
  GameState s = Hero(hero::kFallen);
  EXPECT_EQ(HeroSprite(s), -1);
  s = Hero(hero::kBurnt, 1);
  s.AnimCount = 10;
  EXPECT_EQ(HeroSprite(s), 16 + 1 + 4);
  s = Hero(hero::kDrowned, 1);
  s.AnimCount = 25;
  EXPECT_EQ(HeroSprite(s), 22);
  EXPECT_EQ(HeroSprite(Hero(hero::kPierced, 1)), 23);
  s = Hero(hero::kSunk);
  s.AnimCount = 18;
  EXPECT_EQ(HeroSprite(s), 33);
  s = Hero(hero::kGoal);
  s.Countdown = 2;
  EXPECT_EQ(HeroSprite(s), 34);
  s.Countdown = 3;  // falls through to standing
  EXPECT_EQ(HeroSprite(s), 0);
}

TEST(HeroSprite, SwimmingClimbingFloating) {
  GameState s = Hero(hero::kSwimming, 1);
  s.JumpFrames = 2;
  EXPECT_EQ(HeroSprite(s), 13);
  s.JumpFrames = 0;
  s.HeroX = 80;  // 16 px into the tile: the second stroke
  EXPECT_EQ(HeroSprite(s), 15);
  s = Hero(hero::kClimbing);
  s.HeroX = 64;
  s.HeroY = 80;
  EXPECT_EQ(HeroSprite(s), 8);
  s.HeroX = 80;
  EXPECT_EQ(HeroSprite(s), 12);
  s = Hero(hero::kNormal);
  s.RopeRow = 3;  // the rope counts as climbing
  s.HeroY = 90;
  s.HeroX = 70;
  EXPECT_EQ(HeroSprite(s), 12);
  EXPECT_EQ(HeroSprite(Hero(hero::kFloating, 1)), 25);
}

TEST(HeroSprite, NormalStates) {
  GameState s = Hero(hero::kNormal, 1);
  EXPECT_EQ(HeroSprite(s), 4);  // standing, facing left
  s.JumpFrames = 3;
  EXPECT_EQ(HeroSprite(s), 5);  // in the air
  s.JumpFrames = 0;
  s.HeroVX = 0.01f;
  s.HeroX = 78.5f;  // rounds to 78 (half to even): 14 px into the tile, first picture
  EXPECT_EQ(HeroSprite(s), 2 + 0 + 4);
  s.HeroX = 79.5f;  // rounds to 80: 16 px in, second picture
  EXPECT_EQ(HeroSprite(s), 2 + 1 + 4);
  s.HeroVX = 0.009f;
  EXPECT_EQ(HeroSprite(s), 4);
}

TEST(Rounding, HalfGoesToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(1.5), 2);
  EXPECT_EQ(RoundHalfEven(-1356.5), -1356);
  EXPECT_EQ(RoundHalfEven(2.4999), 2);
}

}  // namespace
}  // namespace moriva
