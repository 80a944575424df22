#pragma once

#include <cstdint>

namespace moriva {

// A state waiting to be tried by the route search, with what ranks it.
struct RouteQueueEntry {
  int items = 0;               // how many items the hero owns
  std::uint32_t pass = 0;      // how often its cell has been tried with those items, in passes
  int sample = 0;              // 0: the first state of its coarse key, then further samples
  std::uint32_t frames = 0;    // frames of its route
  std::uint32_t node = 0;

  // std::priority_queue pops the greatest: more items first, then the cells least tried
  // with those items, then the first samples of their keys (new ground) before the further
  // ones, then the shorter routes.
  bool operator<(const RouteQueueEntry& o) const {
    if (items != o.items) return items < o.items;
    if (pass != o.pass) return pass > o.pass;
    if (sample != o.sample) return sample > o.sample;
    return frames > o.frames;
  }
};

}  // namespace moriva
