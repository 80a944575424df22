#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>

#include "game/Animation.h"
#include "game/PhysicsMath.h"
#include "game/TileClass.h"

namespace moriva {
namespace {

TEST(AnimationTable, CellsFollowTheirPeriodsAndTheSwitch) {
  struct Case {
    int code, count, switchOn, cell;
  } const cases[] = {
      {4, 0, 1, 106},   {4, 8, 1, 107},    {4, 16, 1, 106},  {5, 9, 1, 108},   {5, 10, 1, 109},
      {7, 4, 0, 127},   {12, 8, 0, 105},   {15, 3, 0, 124},  {17, 6, 0, 113},  {18, 4, 0, 115},
      {25, 12, 0, 120}, {26, 4, 0, 123},   {32, 10, 0, 101}, {49, 24, 0, 110}, {49, 25, 0, 111},
      {56, 50, 0, 102}, {90, 25, 0, 129},  {91, 99, 0, 131}, {92, 0, 0, 132},  {93, 75, 0, 135},
      {54, 0, 1, 90},   {54, 3, 1, 89},    {54, 5, 1, 88},   {54, 10, 1, 89},  {54, 15, 1, 88},
      {54, 18, 1, 90},  {54, 20, 1, 90},   {54, 21, 1, 91},  {54, 99, 1, 91},  {154, 15, 0, 96},
      {155, 15, 0, 99}, {158, 3, 0, 116},  {159, 2, 0, 119}, {143, 5, 0, 94},  {172, 10, 0, 138},
      {154, 15, 1, 99}, {155, 15, 1, 96},  {158, 3, 1, 119}, {159, 2, 1, 117}, {143, 0, 1, 93},
      {143, 5, 1, 92},  {172, 10, 1, 136}, {0, 5, 1, -1},    {33, 5, 1, -1},   {55, 5, 1, -1},
      {142, 5, 1, -1},  {156, 5, 1, -1},   {255, 5, 1, -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(AnimatedCell(c.code, c.count, c.switchOn), c.cell) << c.code << " at " << c.count << " switch " << c.switchOn;
}

TEST(HeroSprite, EachStateShowsItsPicture) {
  struct Case {
    const char* name;
    std::int16_t state;
    int facing, anim, countdown, jump, rope;
    float x, y, vx;
    int sprite;
  } const cases[] = {
      {"fallen", hero::kFallen, 0, 0, 0, 0, 0, 64, 64, 0, -1},
      {"burnt", hero::kBurnt, 1, 10, 0, 0, 0, 64, 64, 0, 21},
      {"drowned", hero::kDrowned, 1, 25, 0, 0, 0, 64, 64, 0, 22},
      {"pierced", hero::kPierced, 1, 0, 0, 0, 0, 64, 64, 0, 23},
      {"sunk", hero::kSunk, 0, 18, 0, 0, 0, 64, 64, 0, 33},
      {"goal at the end", hero::kGoal, 0, 0, 2, 0, 0, 64, 64, 0, 34},
      {"goal before it", hero::kGoal, 0, 0, 3, 0, 0, 64, 64, 0, 0},
      {"swimming up", hero::kSwimming, 1, 0, 0, 2, 0, 64, 64, 0, 13},
      {"swimming stroke", hero::kSwimming, 1, 0, 0, 0, 0, 80, 64, 0, 15},
      {"climbing", hero::kClimbing, 0, 0, 0, 0, 0, 64, 80, 0, 8},
      {"climbing on", hero::kClimbing, 0, 0, 0, 0, 0, 80, 80, 0, 12},
      {"on the rope", hero::kNormal, 0, 0, 0, 0, 3, 70, 90, 0, 12},
      {"left of the world", hero::kSwimming, 0, 0, 0, 0, 0, -16, 64, 0, 11},
      {"floating", hero::kFloating, 1, 0, 0, 0, 0, 64, 64, 0, 25},
      {"standing", hero::kNormal, 1, 0, 0, 0, 0, 64, 64, 0, 4},
      {"in the air", hero::kNormal, 1, 0, 0, 3, 0, 64, 64, 0, 5},
      {"walking, rounded down to even", hero::kNormal, 1, 0, 0, 0, 0, 78.5f, 64, 0.01f, 6},
      {"walking, rounded up to even", hero::kNormal, 1, 0, 0, 0, 0, 79.5f, 64, 0.01f, 7},
      {"too slow to walk", hero::kNormal, 1, 0, 0, 0, 0, 79.5f, 64, 0.009f, 4},
  };
  for (const Case& c : cases) {
    GameState s;
    s.HeroState = c.state;
    s.Facing = static_cast<std::int16_t>(c.facing);
    s.AnimCount = static_cast<std::int16_t>(c.anim);
    s.Countdown = c.countdown;
    s.JumpFrames = static_cast<std::int16_t>(c.jump);
    s.RopeRow = static_cast<std::int16_t>(c.rope);
    s.HeroX = c.x;
    s.HeroY = c.y;
    s.HeroVX = c.vx;
    EXPECT_EQ(HeroSprite(s), c.sprite) << c.name;
  }
}

// The catalogue as the world builder reads it: every code with a class of its own.
const std::map<int, TileClass>& Catalogue() {
  static const std::map<int, TileClass> table = [] {
    std::map<int, TileClass> t;
    auto put = [&t](std::initializer_list<int> codes, TileClass cls) {
      for (int c : codes) t[c] = cls;
    };
    put({5, 48, 49, 56, 57, 86, 87, 90, 91, 92, 93, 94, 95}, TileClass::Water);
    put({32}, TileClass::Fire);
    put({33}, TileClass::RedPool);
    put({34, 35, 36, 37}, TileClass::Spikes);
    put({38, 39, 68, 69, 70, 71}, TileClass::Spring);
    put({40, 41, 42, 43, 65, 66, 67}, TileClass::Ladder);
    put({44, 45, 72, 73, 76, 77}, TileClass::LauncherLeft);
    put({46, 47, 74, 75, 78, 79}, TileClass::LauncherRight);
    put({50, 51, 58, 59, 60}, TileClass::Float);
    put({52, 53}, TileClass::Hook);
    put({54}, TileClass::FlameJet);
    put({55, 82, 83}, TileClass::TreasureBox);
    put({61, 62}, TileClass::HiddenBlock);
    put({142}, TileClass::Goal);
    put({143}, TileClass::Switch);
    put({144, 145, 146, 147, 160, 161, 162, 163}, TileClass::Crumble);
    put({148, 149, 150, 151}, TileClass::Door);
    put({152}, TileClass::Glass);
    put({153}, TileClass::CrackedGlass);
    put({154, 155, 158, 159}, TileClass::Conveyor);
    put({156, 157}, TileClass::Ice);
    return t;
  }();
  return table;
}

TEST(TileClassTest, EveryCodeHasItsCatalogueClassOrTheDefaultOfItsRange) {
  for (int code = 0; code < 256; ++code) {
    const auto it = Catalogue().find(code);
    TileClass expected = TileClass::Open;
    if (it != Catalogue().end()) {
      expected = it->second;
    } else if (code >= 96 && code <= 191) {
      expected = TileClass::Solid;
    }
    EXPECT_EQ(ClassOf(static_cast<std::uint8_t>(code)), expected) << "code " << code;
  }
}

TEST(TileClassTest, SolidRangeRopeLimitDoorKeysAndConveyorSpeeds) {
  EXPECT_FALSE(IsSolidTile(95));
  EXPECT_TRUE(IsSolidTile(96));
  EXPECT_TRUE(IsSolidTile(191));
  EXPECT_FALSE(IsSolidTile(192));  // no picture, no class
  EXPECT_FALSE(StopsRope(64));
  EXPECT_TRUE(StopsRope(65));
  EXPECT_FALSE(StopsRope(52));
  EXPECT_EQ(DoorKey(148), 0);
  EXPECT_EQ(DoorKey(151), 3);
  const std::pair<int, double> pushes[] = {{154, -1}, {155, 1}, {158, -4}, {159, 4}, {156, 0}};
  for (const auto& [code, push] : pushes) EXPECT_EQ(ConveyorPush(static_cast<std::uint8_t>(code)), push) << code;
}

TEST(PhysicsMathTest, RoundingSendsHalvesToTheEvenNeighbourAndTileOfDropsTowardsZero) {
  const std::pair<double, int> rounded[] = {{0.5, 0},  {1.5, 2},   {2.5, 2},   {2.5000001, 3},
                                            {-0.5, 0}, {-1.5, -2}, {-2.4, -2}, {std::nan(""), 0},
                                            {1e300, std::numeric_limits<int>::max()}};
  for (const auto& [v, r] : rounded) EXPECT_EQ(RoundHalfEven(v), r) << v;
  const std::pair<double, int> tiles[] = {{31.4, 0}, {31.5, 1}, {32.5, 1}, {63.5, 2}, {-20.0, 0}, {-40.0, -1}};
  for (const auto& [v, t] : tiles) EXPECT_EQ(TileOf(v), t) << v;
}

}  // namespace
}  // namespace moriva
