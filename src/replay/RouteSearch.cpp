#include "replay/RouteSearch.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <cmath>
#include <deque>
#include <map>
#include <memory>
#include <queue>
#include <unordered_map>

#include "game/Game.h"
#include "game/PhysicsConstants.h"
#include "game/PhysicsMath.h"
#include "game/TileClass.h"
#include "replay/PlaySnapshot.h"
#include "replay/PositionLine.h"
#include "replay/RouteCellTries.h"
#include "replay/RouteFollow.h"
#include "replay/RouteQueueEntry.h"
#include "replay/RouteMoves.h"
#include "replay/RouteSearchHost.h"
#include "world/basMoriva.h"

namespace moriva {

namespace {

using namespace physics;

constexpr std::uint32_t kNone = 0xFFFFFFFFu;
constexpr std::uint64_t kEndingKey = 0xFFFFFFFFFFFFFFFFull;
constexpr int kMaxMoves = 32;
constexpr std::size_t kStrandingCellsShown = 32;
constexpr int kTimeCheckEvery = 64;          // expansions between clock readings
// A move that has not left its state's key goes on this much at a time, up to the longest.
constexpr int kMoveExtension = 4;
constexpr int kLongestMove = 64;

// Speed classes: fast and slow each way, and about still.
constexpr double kFastX = 2.5, kSlowX = 0.5;
constexpr double kFastY = 4.0, kSlowY = 0.5;
// Timers that run while the hero stays on the spot are kept in the key in steps, so that
// waiting for them leads somewhere new.
constexpr int kCrumbleStep = 8;
constexpr int kFlameJetPhase = 10;           // the jet burns while AnimCount < 10
// States kept under one coarse key, told apart by FineOf.
constexpr int kSamplesPerKey = 2;
constexpr int kMostSamplesPerKey = 16;     // with the faster runs
constexpr int kFineSteps = 2;
constexpr int kFineSpeedRange = 15;

struct Node {
  std::uint64_t key = 0;
  std::uint32_t parent = kNone;
  std::uint32_t frames = 0;
  std::uint32_t firstEdge = 0;
  std::uint32_t edgeCount = 0;
  std::uint32_t nextSample = kNone;  // the next state kept under the same coarse key
  std::uint16_t fine = 0;
  std::uint8_t sample = 0;           // its place among the states kept under its coarse key
  // Where the hero is, for the stranding report: the snapshot itself is given back once the
  // state's moves have been tried.
  std::uint8_t blockX = 0, blockY = 0, cellX = 0, cellY = 0;
  std::uint32_t snap = kNone;        // its snapshot's slot while it waits to be tried
  std::uint16_t move = 0;
  std::uint16_t items = 0;
  bool expanded = false;
  bool ending = false;
};

std::uint64_t Scramble(std::uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

int SpeedClass(double v, double fast, double slow) {
  if (v < -fast) return 0;
  if (v < -slow) return 1;
  if (v <= slow) return 2;
  if (v <= fast) return 3;
  return 4;
}

// Packs fields into a 64-bit word, `bits` at a time.
class BitPacker {
 public:
  BitPacker& Put(std::uint64_t value, int bits) {
    word_ |= (value & ((1ull << bits) - 1)) << used_;
    used_ += bits;
    return *this;
  }
  std::uint64_t word() const { return word_; }

 private:
  std::uint64_t word_ = 0;
  int used_ = 0;
};

std::uint64_t KeyOf(const PlaySnapshot& p, std::uint64_t changeHash, bool flameJetBlock) {
  const bool hasShoes = (p.items >> kItemJumpShoes) & 1u;
  const int jumpLimit = kJumpFramesBase + (hasShoes ? kJumpFramesPerShoes : 0);
  const int lift = p.JumpFrames == 0 ? 0 : (p.JumpFrames < jumpLimit ? 1 : 2);
  BitPacker a;
  a.Put(static_cast<std::uint64_t>(p.BlockX), 3)
      .Put(static_cast<std::uint64_t>(p.BlockY), 3)
      .Put(static_cast<std::uint64_t>(TileOf(static_cast<double>(p.HeroX) + kCentre)), 6)
      .Put(static_cast<std::uint64_t>(TileOf(static_cast<double>(p.HeroY) + kCentre)), 6)
      .Put(static_cast<std::uint64_t>(SpeedClass(p.HeroVX, kFastX, kSlowX)), 3)
      .Put(static_cast<std::uint64_t>(SpeedClass(p.HeroVY, kFastY, kSlowY)), 3)
      .Put(static_cast<std::uint64_t>(p.HeroState), 7)
      .Put(static_cast<std::uint64_t>(lift), 2)
      .Put(p.RopeRow > 0, 1)
      .Put(p.items, 10)
      .Put(static_cast<std::uint64_t>(p.SwitchOn), 1)
      .Put(static_cast<std::uint64_t>(p.GoalTouched), 1)
      .Put(p.Countdown > 0, 1);
  BitPacker b;
  b.Put(static_cast<std::uint64_t>(p.SpringTimer), 5)
      .Put(static_cast<std::uint64_t>(p.LauncherTimer), 4)
      .Put(static_cast<std::uint64_t>(p.CrumbleTimer / kCrumbleStep), 3)
      .Put(flameJetBlock ? static_cast<std::uint64_t>(p.AnimCount / kFlameJetPhase) : 0, 4);
  const std::uint64_t key = Scramble(Scramble(a.word()) ^ b.word()) ^ Scramble(changeHash);
  return key == kEndingKey ? 0 : key;
}

// What tells apart the states kept under one coarse key: where in the cell the hero is, in
// halves, and his speed each way in steps of one pixel a frame. A long running jump or a
// landing on a narrow ledge needs the fast sample or the one at the right edge of a cell;
// the coarse key alone keeps only the first one found.
std::uint16_t FineOf(const PlaySnapshot& p) {
  const auto half = [](float v) {
    return static_cast<std::uint64_t>(RoundHalfEven(static_cast<double>(v) + kCentre) % kTileSize) /
           (kTileSize / kFineSteps);
  };
  const auto step = [](float v) {
    return static_cast<std::uint64_t>(std::clamp(static_cast<int>(std::lround(v)), -kFineSpeedRange, kFineSpeedRange) + kFineSpeedRange);
  };
  BitPacker f;
  f.Put(half(p.HeroX), 1).Put(half(p.HeroY), 1).Put(step(p.HeroVX), 5).Put(step(p.HeroVY), 5);
  return static_cast<std::uint16_t>(f.word());
}

// The hero's running speed in a fine key, in whole pixels a frame either way.
int RunningSpeedOf(std::uint16_t fine) {
  constexpr int kSpeedBits = 5, kHalvesBits = 2;
  return std::abs(static_cast<int>((fine >> kHalvesBits) & ((1u << kSpeedBits) - 1)) - kFineSpeedRange);
}

// The first state kept under each coarse key, by key: open addressing over node numbers,
// the key itself read from the node. Four bytes a slot instead of a hash map's node of
// some fifty bytes a state, which at millions of states is the difference between finding
// the ending within the memory and not.
class KeyIndex {
 public:
  explicit KeyIndex(const std::deque<Node>& nodes) : nodes_(nodes), slots_(kInitialSlots, kNone) {}

  // The node kept under `key`, or `fresh` entered for it (then the second is true).
  std::pair<std::uint32_t, bool> TryEmplace(std::uint64_t key, std::uint32_t fresh) {
    if ((count_ + 1) * kLoadDen > slots_.size() * kLoadNum) Grow();
    std::size_t i = Find(key);
    if (slots_[i] != kNone) return {slots_[i], false};
    slots_[i] = fresh;
    ++count_;
    return {fresh, true};
  }
  bool Contains(std::uint64_t key) const { return slots_[Find(key)] != kNone; }
  std::size_t bytes() const { return slots_.capacity() * sizeof(std::uint32_t); }

 private:
  static constexpr std::size_t kInitialSlots = 1 << 16;
  static constexpr std::size_t kLoadNum = 3, kLoadDen = 4;  // at most three quarters full

  std::size_t Find(std::uint64_t key) const {
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = static_cast<std::size_t>(key) & mask;
    while (slots_[i] != kNone && nodes_[slots_[i]].key != key) i = (i + 1) & mask;
    return i;
  }
  void Grow() {
    std::vector<std::uint32_t> old(slots_.size() * 2, kNone);
    old.swap(slots_);
    for (std::uint32_t n : old)
      if (n != kNone) slots_[Find(nodes_[n].key)] = n;
  }

  const std::deque<Node>& nodes_;
  std::vector<std::uint32_t> slots_;
  std::size_t count_ = 0;
};

bool IsBox(std::uint8_t code) { return ClassOf(code) == TileClass::TreasureBox; }

// Iterative Tarjan: the strongly connected component of every node.
std::vector<std::uint32_t> Components(const std::deque<Node>& nodes,
                                      const std::deque<std::uint32_t>& edges) {
  const std::size_t n = nodes.size();
  std::vector<std::uint32_t> index(n, kNone), low(n, 0), comp(n, kNone);
  std::vector<std::uint32_t> stack;
  std::vector<bool> onStack(n, false);
  std::vector<std::pair<std::uint32_t, std::uint32_t>> work;  // node, next edge
  std::uint32_t counter = 0, components = 0;
  for (std::uint32_t root = 0; root < n; ++root) {
    if (index[root] != kNone) continue;
    work.emplace_back(root, 0);
    while (!work.empty()) {
      auto& [v, e] = work.back();
      if (e == 0 && index[v] == kNone) {
        index[v] = low[v] = counter++;
        stack.push_back(v);
        onStack[v] = true;
      }
      const Node& node = nodes[v];
      if (e < node.edgeCount) {
        const std::uint32_t w = edges[node.firstEdge + e];
        ++e;
        if (index[w] == kNone) {
          work.emplace_back(w, 0);
        } else if (onStack[w]) {
          low[v] = std::min(low[v], index[w]);
        }
        continue;
      }
      const std::uint32_t done = v;
      work.pop_back();
      if (!work.empty()) low[work.back().first] = std::min(low[work.back().first], low[done]);
      if (low[done] == index[done]) {
        for (;;) {
          const std::uint32_t w = stack.back();
          stack.pop_back();
          onStack[w] = false;
          comp[w] = components;
          if (w == done) break;
        }
        ++components;
      }
    }
  }
  return comp;
}

}  // namespace

RouteSearch::RouteSearch(const basMoriva& world, const Surface& tiles, const Surface& sprites,
                         std::string folder)
    : world_(world), tiles_(tiles), sprites_(sprites), folder_(std::move(folder)) {}

RouteSearchResult RouteSearch::Run(const RouteSearchOptions& options) {
  using SteadyTime = std::chrono::steady_clock;
  const auto started = SteadyTime::now();
  const auto elapsed = [&] {
    return std::chrono::duration<double>(SteadyTime::now() - started).count();
  };

  RouteSearchResult result;
  auto module = std::make_unique<basMoriva>(world_);
  RouteSearchHost host;
  Game game(*module, tiles_, sprites_, host, folder_);
  host.Attach(game);
  game.SetViewFrame(kViewFrameSize, kViewFrameSize);
  // The search never looks at the picture: on an empty block surface every drawing step
  // clips to nothing, and a frame costs only its rules.
  game.picGame() = Surface();
  game.picEscape() = Surface();

  // Every box of the world, and the blocks where a flame jet's phase matters.
  std::map<std::tuple<int, int, int, int>, std::size_t> boxAt;
  bool flameJets[kWorldBlocks][kWorldBlocks] = {};
  for (int bx = 0; bx < kWorldBlocks; ++bx)
    for (int by = 0; by < kWorldBlocks; ++by)
      for (int i = 0; i < kBlockTiles; ++i)
        for (int j = 0; j < kBlockTiles; ++j) {
          const std::uint8_t code = module->Map(bx * kBlockTiles + i, by * kBlockTiles + j);
          if (ClassOf(code) == TileClass::FlameJet) flameJets[bx][by] = true;
          if (!IsBox(code)) continue;
          boxAt[{bx, by, i, j}] = result.boxes.size();
          result.boxes.push_back(BoxReach{bx, by, i, j});
        }

  for (int bx = 0; bx < kWorldBlocks; ++bx)
    for (int by = 0; by < kWorldBlocks; ++by) result.blocks.push_back(BlockReach{bx, by});
  const auto arrive = [&](const PlaySnapshot& p, std::uint32_t frames) {
    BlockReach& b = result.blocks[p.BlockX * kWorldBlocks + p.BlockY];
    if (b.reached) return;
    b.reached = true;
    b.frames = frames;
    b.items = p.items;
  };

  // The start, as the replay runner sets it up before the title choice.
  game.ReturnToTitle();
  ApplyScriptStart(game, *module, options.start, options.items, options.switchOn);
  game.EnterBlock();

  SnapshotPool pool;
  std::deque<Node> nodes;
  // Snapshots of the states still waiting; a tried state's slot is taken by a new one, so
  // that the snapshots held are those of the open states, not of all states found.
  std::deque<PlaySnapshot> snaps;
  std::vector<std::uint32_t> freeSnaps;
  const auto hold = [&](Node& node, const PlaySnapshot& p) {
    node.blockX = static_cast<std::uint8_t>(p.BlockX);
    node.blockY = static_cast<std::uint8_t>(p.BlockY);
    node.cellX = static_cast<std::uint8_t>(TileOf(static_cast<double>(p.HeroX) + kCentre));
    node.cellY = static_cast<std::uint8_t>(TileOf(static_cast<double>(p.HeroY) + kCentre));
    if (node.snap != kNone) {
      snaps[node.snap] = p;
    } else if (!freeSnaps.empty()) {
      node.snap = freeSnaps.back();
      freeSnaps.pop_back();
      snaps[node.snap] = p;
    } else {
      node.snap = static_cast<std::uint32_t>(snaps.size());
      snaps.push_back(p);
    }
  };
  // Deques, not vectors: the largest tables grow in pieces, so that growing never holds the
  // old copy and the new one at once, which at millions of states is hundreds of megabytes.
  std::deque<std::uint32_t> edges;
  KeyIndex byKey(nodes);
  // The most items any state owns: states with fewer are tried only when those have run
  // out, so their keys keep no second sample.
  int mostItems = 0;
  std::priority_queue<RouteQueueEntry, std::deque<RouteQueueEntry>> open;
  RouteCellTries tries;
  const auto passOf = [&](const Node& node) {
    return tries.PassOf(node.blockX, node.blockY, node.cellX, node.cellY, node.items);
  };
  std::uint32_t endingNode = kNone;

  const auto keyOf = [&](const PlaySnapshot& p, std::uint64_t changeHash) {
    return KeyOf(p, changeHash, flameJets[p.BlockX][p.BlockY]);
  };

  // The followed script's state after every frame, by key.
  struct FollowedFrame {
    std::uint64_t key;
    std::uint8_t blockX, blockY, cellX, cellY;
  };
  std::vector<FollowedFrame> followed;
  if (options.follow) {
    SnapshotPool followPool;
    PlayRouteScript(world_, tiles_, sprites_, folder_, *options.follow, [&](long, const Game& g) {
      std::uint64_t changeHash = 0;
      PlaySnapshot p = followPool.Capture(g, &changeHash);
      followed.push_back({keyOf(p, changeHash), static_cast<std::uint8_t>(p.BlockX), static_cast<std::uint8_t>(p.BlockY),
                          static_cast<std::uint8_t>(TileOf(static_cast<double>(p.HeroX) + kCentre)),
                          static_cast<std::uint8_t>(TileOf(static_cast<double>(p.HeroY) + kCentre))});
      followPool.DropLast(p);
    });
  }
  {
    std::uint64_t changeHash = 0;
    const PlaySnapshot root = pool.Capture(game, &changeHash);
    Node node;
    node.key = keyOf(root, changeHash);
    node.items = root.items;
    nodes.push_back(node);
    hold(nodes.back(), root);
    byKey.TryEmplace(node.key, 0);
    arrive(root, 0);
    open.push({std::popcount(root.items), 0, 0, 0, 0});
  }

  const auto moves = AllRouteMoves();
  std::uint16_t tryMoves[kMaxMoves];
  double nextProgress = progressSeconds;
  bool stop = false;
  while (!open.empty() && !stop) {
    const RouteQueueEntry top = open.top();
    open.pop();
    Node& current = nodes[top.node];
    if (current.expanded || current.frames != top.frames) continue;
    // Its cell was tried more since it was queued: it waits for the rest of its pass.
    if (const std::uint32_t pass = passOf(current); pass > top.pass) {
      open.push({top.items, pass, top.sample, top.frames, top.node});
      continue;
    }
    current.expanded = true;
    tries.Count(current.blockX, current.blockY, current.cellX, current.cellY, current.items);
    ++result.expanded;
    if (result.expanded % kTimeCheckEvery == 0) {
      const double now = elapsed();
      if (options.maxSeconds > 0 && now >= options.maxSeconds) stop = true;
      if (onProgress && now >= nextProgress) {
        int reached = 0;
        for (const BoxReach& b : result.boxes) reached += b.reached;
        onProgress({nodes.size(), reached, now});
        nextProgress = now + progressSeconds;
      }
    }
    if (options.maxStates > 0 && nodes.size() >= options.maxStates) stop = true;

    const PlaySnapshot from = snaps[current.snap];
    freeSnaps.push_back(current.snap);
    current.snap = kNone;
    const std::uint32_t fromFrames = current.frames;
    const int count = MovesFor(from, tryMoves, kMaxMoves);
    nodes[top.node].firstEdge = static_cast<std::uint32_t>(edges.size());
    for (int k = 0; k < count; ++k) {
      const RouteMove& move = moves[tryMoves[k]];
      pool.Restore(from, game);
      host.Begin(move);
      RunResult ran = game.RunGame();
      std::uint64_t changeHash = 0;
      PlaySnapshot to;
      std::uint64_t key = 0;
      if (ran == RunResult::Stopped) {
        to = pool.Capture(game, &changeHash);
        key = keyOf(to, changeHash);
        // A move that ends where it began (the same cell, speed class, ...) goes on with the
        // same keys, so that a slow climb or the top of a jump is not merged into its start.
        while (key == current.key && !move.waitsOutCountdown && host.framesRun() < kLongestMove) {
          pool.DropLast(to);
          host.Continue(kMoveExtension);
          ran = game.RunGame();
          if (ran != RunResult::Stopped) break;
          to = pool.Capture(game, &changeHash);
          key = keyOf(to, changeHash);
        }
      }
      result.framesRun += host.framesRun();
      const std::uint32_t frames = fromFrames + static_cast<std::uint32_t>(host.framesRun());
      for (const RouteDialog& d : host.dialogs()) {
        if (d.itemNo == kItemNoGoalNotice) continue;
        auto [it, added] = boxAt.try_emplace({d.blockX, d.blockY, d.cellX, d.cellY}, result.boxes.size());
        if (added) result.boxes.push_back(BoxReach{d.blockX, d.blockY, d.cellX, d.cellY});
        BoxReach& box = result.boxes[it->second];
        if (box.reached) continue;
        box.reached = true;
        box.frames = static_cast<long>(fromFrames) + d.frame;
        box.items = d.itemsBefore;
        box.content = d.itemNo;
      }
      std::uint32_t target = kNone;
      if (ran == RunResult::Ending) {
        if (endingNode == kNone) {
          Node node;
          node.key = kEndingKey;
          node.parent = top.node;
          node.move = tryMoves[k];
          node.frames = frames;
          node.items = from.items;
          node.expanded = true;
          node.ending = true;
          endingNode = static_cast<std::uint32_t>(nodes.size());
          nodes.push_back(node);
          hold(nodes.back(), from);
          if (options.stopAtEnding) stop = true;
        }
        target = endingNode;
      } else if (ran == RunResult::Stopped) {
        const auto fresh = static_cast<std::uint32_t>(nodes.size());
        const auto [head, added] = byKey.TryEmplace(key, fresh);
        const std::uint16_t fine = FineOf(to);
        target = head;
        int sampleNo = 0;
        bool keep = added, replace = false;
        if (!added && !nodes[head].expanded && frames < nodes[head].frames) {
          // The first sample is the shortest way found to the key, while it waits.
          replace = true;
        } else if (!added) {
          // Further samples, one per fine key: tried only when the first samples of the
          // same items have run out of new ground.
          int samples = 0;
          std::uint32_t last = head;
          bool same = false;
          int fastest = 0;
          for (std::uint32_t n = head; n != kNone && !same; n = nodes[n].nextSample, ++samples) {
            last = n;
            same = nodes[n].fine == fine;
            fastest = std::max(fastest, RunningSpeedOf(nodes[n].fine));
          }
          // A run-up on a slippery floor gains speed cell by cell, and shorter run-ups reach
          // each cell first: a state faster than every one kept is kept too, or the only run
          // fast enough to clear a gap would be merged away.
          const bool faster = RunningSpeedOf(fine) > fastest && samples < kMostSamplesPerKey;
          if (same) {
            target = last;
            replace = last != head && !nodes[last].expanded && frames < nodes[last].frames;
          } else if ((samples < kSamplesPerKey || faster) && std::popcount(to.items) >= mostItems) {
            keep = true;
            sampleNo = samples;
            nodes[last].nextSample = fresh;
            target = fresh;
          }
        }
        if (keep) {
          Node node;
          node.key = key;
          node.fine = fine;
          node.sample = static_cast<std::uint8_t>(sampleNo);
          node.parent = top.node;
          node.move = tryMoves[k];
          node.frames = frames;
          node.items = to.items;
          nodes.push_back(node);
          hold(nodes.back(), to);
          mostItems = std::max(mostItems, std::popcount(to.items));
          open.push({std::popcount(to.items), passOf(nodes.back()), sampleNo, frames, target});
          arrive(to, frames);
        } else if (replace) {
          Node& better = nodes[target];
          better.parent = top.node;
          better.move = tryMoves[k];
          better.frames = frames;
          better.fine = fine;
          hold(better, to);
          open.push({std::popcount(to.items), passOf(better), better.sample, frames, target});
        } else {
          pool.DropLast(to);
        }
      }
      if (target != kNone) edges.push_back(target);
      if (stop && endingNode != kNone) break;
    }
    // Many moves lead to the same state; the stranding search needs each target once.
    const auto firstEdge = edges.begin() + nodes[top.node].firstEdge;
    std::sort(firstEdge, edges.end());
    edges.erase(std::unique(firstEdge, edges.end()), edges.end());
    nodes[top.node].edgeCount = static_cast<std::uint32_t>(edges.size()) - nodes[top.node].firstEdge;
  }
  result.exhausted = open.empty() && !stop;
  if (options.follow) {
    FollowReach& f = result.follow;
    f.asked = true;
    f.scriptFrames = static_cast<long>(followed.size());
    for (std::size_t i = followed.size(); i-- > 0;) {
      if (!byKey.Contains(followed[i].key)) continue;
      f.lastKept = static_cast<long>(i) + 1;
      f.blockX = followed[i].blockX;
      f.blockY = followed[i].blockY;
      f.cellX = followed[i].cellX;
      f.cellY = followed[i].cellY;
      break;
    }
  }
  result.states = nodes.size();

  if (endingNode != kNone) {
    result.endingReached = true;
    result.endingFrames = nodes[endingNode].frames;
    for (std::uint32_t n = endingNode; nodes[n].parent != kNone; n = nodes[n].parent)
      result.route.push_back({nodes[n].move, nodes[n].frames - nodes[nodes[n].parent].frames});
    std::reverse(result.route.begin(), result.route.end());
  }

  // Strandings: groups of states, all tried, that lead only among themselves.
  const std::vector<std::uint32_t> comp = Components(nodes, edges);
  std::unordered_map<std::uint32_t, bool> closed;
  for (std::uint32_t v = 0; v < nodes.size(); ++v) {
    const Node& node = nodes[v];
    bool ok = node.expanded && !node.ending;
    for (std::uint32_t e = 0; ok && e < node.edgeCount; ++e) ok = comp[edges[node.firstEdge + e]] == comp[v];
    auto [it, added] = closed.try_emplace(comp[v], ok);
    if (!added) it->second = it->second && ok;
  }
  std::map<std::uint32_t, std::size_t> strandingOf;
  for (std::uint32_t v = 0; v < nodes.size(); ++v) {
    if (!closed[comp[v]]) continue;
    auto [it, added] = strandingOf.try_emplace(comp[v], result.strandings.size());
    const Node& p = nodes[v];
    if (added) {
      Stranding s;
      s.blockX = p.blockX;
      s.blockY = p.blockY;
      s.items = nodes[v].items;
      s.frames = nodes[v].frames;
      result.strandings.push_back(s);
    }
    Stranding& s = result.strandings[it->second];
    s.frames = std::min<long>(s.frames, nodes[v].frames);
    const std::pair<int, int> cell{p.cellX, p.cellY};
    if (p.blockX == s.blockX && p.blockY == s.blockY && s.cells.size() < kStrandingCellsShown &&
        std::find(s.cells.begin(), s.cells.end(), cell) == s.cells.end())
      s.cells.push_back(cell);
  }
  for (Stranding& s : result.strandings) std::sort(s.cells.begin(), s.cells.end());

  result.memoryBytes = nodes.size() * sizeof(Node) + snaps.size() * sizeof(PlaySnapshot) +
                       edges.size() * sizeof(std::uint32_t) + pool.bytes() +
                       byKey.bytes() + tries.bytes();
  result.seconds = elapsed();
  return result;
}

}  // namespace moriva
