#include "WorldJourney.h"

#include <deque>

namespace moriva::worldgen::test {
namespace {

constexpr int kRopeItem = 7;
constexpr int kShoesItem = 5;
constexpr int kHelmetItem = 6;
constexpr int kFirstDoor = 148;
constexpr int kLastDoor = 151;
constexpr Cell kStart{105, 246};   // block (2, 4), pixel (160, 1498)

bool Has(unsigned items, int item) { return (items >> item) & 1u; }
bool IsWater(int c) { return c == 5 || c == 48 || c == 49 || c == 56 || c == 57 || c == 86 ||
                             c == 87 || (c >= 90 && c <= 95); }
bool IsHazard(int c) { return (c >= 32 && c <= 37) || c == 54; }
bool IsClimb(int c) { return (c >= 40 && c <= 43) || (c >= 65 && c <= 67) ||
                             (c >= 50 && c <= 51) || (c >= 58 && c <= 60); }
bool IsHook(int c) { return c == 52 || c == 53; }
bool IsBox(int c) { return c == 55 || c == 82 || c == 83; }
bool IsHidden(int c) { return c == 61 || c == 62; }

class Explorer {
 public:
  Explorer(const WorldTiles& world, unsigned items, const HeroReach& reach,
           const std::set<Cell>& walls)
      : world_(world), items_(items), walls_(walls),
        jump_(Has(items, kShoesItem) ? reach.shoeJumpRows : reach.jumpRows),
        drift_(reach.driftTiles) {}

  Reach Run() {
    Fall(kStart.first, kStart.second);
    while (!queue_.empty()) {
      const auto [x, y] = queue_.front();
      queue_.pop_front();
      Visit(x, y);
    }
    return result_;
  }

 private:
  int Code(int x, int y) const {
    if (x < 0 || x >= kWorldTiles || y < 0 || y >= kWorldTiles) return 96;
    return world_(x, y);
  }
  bool Solid(int x, int y) const {
    if (walls_.count({x, y})) return true;
    const int c = Code(x, y);
    if (c >= kFirstDoor && c <= kLastDoor) return !Has(items_, c - kFirstDoor);
    return c >= 96 || IsHidden(c);   // a hidden block can be bumped into a step
  }
  bool Enterable(int x, int y) const {
    if (x < 0 || x >= kWorldTiles || y < 1 || y >= kWorldTiles || Solid(x, y)) return false;
    const int c = Code(x, y);
    return !IsHazard(c) && !(IsWater(c) && !Has(items_, kHelmetItem));
  }
  bool Held(int x, int y) const {
    const int c = Code(x, y);
    return Solid(x, y + 1) || IsClimb(c) || IsWater(c);
  }
  void Add(int x, int y) {
    if (!Enterable(x, y) || !result_.cells.insert({x, y}).second) return;
    if (IsBox(Code(x, y))) result_.boxes.insert({x, y});
    queue_.push_back({x, y});
  }
  // Down until something holds him; a fall into a hazard or out of the world is no move.
  void Fall(int x, int y) {
    std::vector<Cell> path;
    while (Enterable(x, y)) {
      path.push_back({x, y});
      if (Held(x, y)) {
        for (const auto& [px, py] : path) Add(px, py);
        return;
      }
      ++y;
    }
  }
  void JumpFrom(int x, int y) {
    for (int k = 1; k <= jump_ && Enterable(x, y - k); ++k) {
      for (int dx : {-1, 1}) {
        for (int d = 1; d <= drift_ && Enterable(x + dx * d, y - k); ++d) Fall(x + dx * d, y - k);
      }
    }
  }
  void Visit(int x, int y) {
    if (!Held(x, y)) return;   // passing through in a fall
    const int c = Code(x, y);
    for (int dx : {-1, 1}) Fall(x + dx, y);
    if (IsClimb(c) || IsWater(c)) {
      const int above = Code(x, y - 1);
      if (IsClimb(above) || IsWater(above)) Add(x, y - 1);
      else if (Enterable(x, y - 1))
        for (int dx : {-1, 1}) Fall(x + dx, y - 1);
      Fall(x, y + 1);
      return;
    }
    JumpFrom(x, y);
    if (Has(items_, kRopeItem)) ThrowRope(x, y);
  }
  // Straight up within the block, through codes 0..64 only, to the first hook.
  void ThrowRope(int x, int y) {
    const int blockTop = y / kBlockTiles * kBlockTiles;
    for (int row = y; row >= blockTop; --row) {
      const int t = Code(x, row);
      if (IsHook(t)) {
        for (int dx : {-1, 1}) Fall(x + dx, row);
        JumpFrom(x, row);
        return;
      }
      if (t > 64) return;
    }
  }

  const WorldTiles& world_;
  const unsigned items_;
  const std::set<Cell>& walls_;
  const int jump_;
  const int drift_;
  Reach result_;
  std::deque<Cell> queue_;
};

}  // namespace

Reach Explore(const WorldTiles& world, unsigned items, const HeroReach& reach,
              const std::set<Cell>& walls) {
  return Explorer(world, items, reach, walls).Run();
}

}  // namespace moriva::worldgen::test
