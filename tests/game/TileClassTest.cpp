#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>

#include "game/PhysicsMath.h"
#include "game/TileClass.h"

namespace moriva {
namespace {

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
