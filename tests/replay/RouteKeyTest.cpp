#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "replay/PlaySnapshot.h"
#include "support/PhysicsRig.h"
#include "support/WorldBuilder.h"

namespace moriva {
namespace {

using Cells = std::vector<std::tuple<int, int, std::uint8_t>>;

// Block (0, 0): a blue door three tiles tall, a crumbling floor four tiles wide, two boxes.
std::uint64_t ChangeHashWith(const Cells& changed) {
  test::WorldBuilder world;
  world.Floor(0, 0, 30).Put(0, 0, 10, 20, {"b", "b", "b"}).Put(0, 0, 12, 25, {"cccc"}).Put(0, 0, 20, 29, {"BB"});
  test::PhysicsRig rig(world);
  rig.Start(0, 0, test::WorldBuilder::StandX(2), test::WorldBuilder::StandY(30));
  for (auto [x, y, code] : changed) rig.state().BlockTiles(x, y) = code;
  SnapshotPool pool;
  std::uint64_t hash = 0;
  pool.Capture(rig.game(), &hash);
  return hash;
}

struct ChangeCase {
  const char* name;
  Cells a, b;
  bool merged;
};

class RouteKeyChanges : public testing::TestWithParam<ChangeCase> {};

TEST_P(RouteKeyChanges, MergeOnlyWhatDoesNotMatterForTheWayOn) {
  const ChangeCase& c = GetParam();
  EXPECT_EQ(ChangeHashWith(c.a) == ChangeHashWith(c.b), c.merged);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, RouteKeyChanges,
    testing::Values(ChangeCase{"AnyOpenedCellOfADoor", {{10, 20, 0}}, {{10, 22, 0}, {10, 21, 0}}, true},
                    ChangeCase{"AnOpenedDoorAndAClosedOne", {}, {{10, 20, 0}}, false},
                    ChangeCase{"EqualWearOnOtherBricks", {{12, 25, 145}, {13, 25, 145}}, {{15, 25, 146}}, true},
                    ChangeCase{"MoreWear", {{12, 25, 145}}, {{12, 25, 146}}, false},
                    ChangeCase{"AGoneBrickAndACrackedOne", {{12, 25, 0}}, {{12, 25, 147}}, false},
                    ChangeCase{"OneOpenedBoxOrTheOther", {{20, 29, 0}}, {{21, 29, 0}}, false}),
    [](const testing::TestParamInfo<ChangeCase>& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace moriva
