#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "replay/ReplayScript.h"

namespace moriva {

struct basMoriva;
class Surface;

struct RouteSearchOptions {
  // Where play starts and what the hero owns, as a replay script's start, items and switch
  // lines set them; by default a new game.
  std::optional<ReplayScript::Start> start;
  std::vector<int> items;
  std::optional<std::int16_t> switchOn;
  // Stop as soon as the ending is found; otherwise search on until nothing new is left.
  bool stopAtEnding = true;
  double maxSeconds = 0;       // 0: no limit
  std::size_t maxStates = 0;   // 0: no limit
  // A known route (a replay script) to hold against the states found: where the search
  // lost it is where its moves or its merging fall short.
  std::optional<ReplayScript> follow;
};

// How far the states found kept to a followed script's route.
struct FollowReach {
  bool asked = false;
  long scriptFrames = 0;        // frames the script played
  long lastKept = 0;            // its last frame whose state the search found; 0: none
  int blockX = 0, blockY = 0, cellX = 0, cellY = 0;  // where the hero was then
};

// A treasure box of the world and how the search first came to it.
struct BoxReach {
  int blockX = 0, blockY = 0, cellX = 0, cellY = 0;
  bool reached = false;
  long frames = 0;              // frames of the route that opened it first
  std::uint16_t items = 0;      // items owned when it opened (bit i: item i)
  int content = 0;              // ItemNo that the dialog showed
};

// The first arrival in a block.
struct BlockReach {
  int blockX = 0, blockY = 0;
  bool reached = false;
  long frames = 0;
  std::uint16_t items = 0;
};

// A place the hero can reach but never leave: every move from there leads back there.
struct Stranding {
  int blockX = 0, blockY = 0;
  std::vector<std::pair<int, int>> cells;  // the hero's centre cells there
  std::uint16_t items = 0;
  long frames = 0;              // frames of the shortest route found into it
};

// One move of a found route and the frames it took (a wait for a countdown varies).
struct RouteStep {
  std::uint16_t move = 0;
  std::uint32_t frames = 0;
};

struct SearchProgress {
  std::size_t states = 0;
  int boxesReached = 0;
  double seconds = 0;
};

struct RouteSearchResult {
  bool endingReached = false;
  long endingFrames = 0;
  std::vector<BoxReach> boxes;
  std::vector<BlockReach> blocks;     // all 25, by column then row
  std::vector<Stranding> strandings;
  std::vector<RouteStep> route;       // from the start to the ending
  std::size_t states = 0;             // distinct states found
  std::size_t expanded = 0;           // states whose moves were all tried
  long long framesRun = 0;
  double seconds = 0;
  bool exhausted = false;             // nothing new was left to try
  std::size_t memoryBytes = 0;        // the search's own tables, roughly
  FollowReach follow;
};

// Searches a world for a way from the start to the ending, playing the game's own frame
// code from snapshots of the game: short held-key moves from each state found, states merged
// by a coarse key (block, cell, speed class, hero state, items, the block's run-time
// changes and the timers that wait on the spot), with a second sample of a key kept where
// the hero's place in the cell or his speed differs. States with more items are tried
// first, then those whose cell was tried least with the same items (RouteCellTries), then
// the first samples of their keys, then the shorter routes.
class RouteSearch {
 public:
  // The world and pictures must outlive the search; `folder` is the program folder.
  RouteSearch(const basMoriva& world, const Surface& tiles, const Surface& sprites, std::string folder);

  RouteSearchResult Run(const RouteSearchOptions& options);

  // Called about every `progressSeconds` while it runs.
  std::function<void(const SearchProgress&)> onProgress;
  double progressSeconds = 2.0;

 private:
  const basMoriva& world_;
  const Surface& tiles_;
  const Surface& sprites_;
  std::string folder_;
};

}  // namespace moriva
