#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string_view>

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

// The class of every code, sixteen codes a row, one letter a class: the letters of the
// classes in their order (the world builder's letters where it has one).
TEST(TileClassTest, EveryCodeHasItsClass) {
  constexpr std::string_view kLetters = ".WFR^SH<>~kJB?#GTcd=%}I";
  const char* const rows[16] = {
      ".....W..........", "................", "FR^^^^SSHHHH<<>>", "WW~~kkJBWW~~~??.",  //   0.. 63
      ".HHHSSSS<<>><<>>", "..BB..WW..WWWWWW", "################", "################",  //  64..127
      "##############GT", "ccccdddd=%}}II}}", "cccc############", "################",  // 128..191
      "................", "................", "................", "................",  // 192..255
  };
  for (int code = 0; code < 256; ++code) {
    EXPECT_EQ(kLetters.at(static_cast<std::size_t>(ClassOf(static_cast<std::uint8_t>(code)))), rows[code / 16][code % 16]) << "code " << code;
    EXPECT_EQ(IsSolidTile(code), code >= 96 && code <= 191) << "code " << code;
  }
}

TEST(TileClassTest, RopeLimitDoorKeysAndConveyorSpeeds) {
  EXPECT_EQ((std::tuple{StopsRope(52), StopsRope(64), StopsRope(65), DoorKey(148), DoorKey(151)}),
            (std::tuple{false, false, true, 0, 3}));
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
