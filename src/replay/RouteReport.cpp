#include "replay/RouteReport.h"

#include <iomanip>
#include <string>

#include "replay/PlaySnapshot.h"
#include "replay/RouteMoves.h"

namespace moriva {

namespace {

constexpr int kItems = 10;
constexpr double kBytesPerMegabyte = 1024.0 * 1024.0;
const char* const kKeyNames[kPlayKeyCount] = {"Left", "Right", "Up", "Down", "Space", "Enter"};

std::string ItemList(std::uint16_t items) {
  std::string out = "[";
  for (int i = 0; i < kItems; ++i)
    if ((items >> i) & 1u) out += (out.size() > 1 ? ", " : "") + std::to_string(i);
  return out + "]";
}

std::string KeyNames(std::uint8_t keys) {
  std::string out;
  for (int i = 0; i < kPlayKeyCount; ++i)
    if ((keys >> i) & 1u) out += std::string(" ") + kKeyNames[i];
  return out;
}

// Holds `keys` from frame `frame` on, releasing what the phase before held and no longer holds.
void WritePhase(std::ostream& out, long frame, std::uint8_t keys, std::uint8_t& held) {
  const std::uint8_t released = static_cast<std::uint8_t>(held & ~keys);
  if (released) out << "at " << frame << " release" << KeyNames(released) << "\n";
  if (keys) out << "at " << frame << " press" << KeyNames(keys) << "\n";
  held = keys;
}

}  // namespace

void WriteCheckReport(std::ostream& out, const RouteSearchResult& r) {
  for (const BoxReach& b : r.boxes) {
    out << "{\"box\": [" << b.blockX << ", " << b.blockY << ", " << b.cellX << ", " << b.cellY
        << "], \"reached\": " << (b.reached ? "true" : "false");
    if (b.reached)
      out << ", \"content\": " << b.content << ", \"items\": " << ItemList(b.items)
          << ", \"frames\": " << b.frames;
    out << "}\n";
  }
  for (const BlockReach& b : r.blocks) {
    out << "{\"block\": [" << b.blockX << ", " << b.blockY << "], \"reached\": " << (b.reached ? "true" : "false");
    if (b.reached) out << ", \"items\": " << ItemList(b.items) << ", \"frames\": " << b.frames;
    out << "}\n";
  }
  for (const Stranding& s : r.strandings) {
    out << "{\"stranded\": [" << s.blockX << ", " << s.blockY << "], \"cells\": [";
    for (std::size_t i = 0; i < s.cells.size(); ++i)
      out << (i ? ", [" : "[") << s.cells[i].first << ", " << s.cells[i].second << "]";
    out << "], \"items\": " << ItemList(s.items) << ", \"frames\": " << s.frames << "}\n";
  }
  if (r.follow.asked) {
    const FollowReach& f = r.follow;
    out << "{\"follow\": " << f.scriptFrames << ", \"kept\": " << f.lastKept;
    if (f.lastKept > 0)
      out << ", \"block\": [" << f.blockX << ", " << f.blockY << "], \"cell\": [" << f.cellX << ", " << f.cellY << "]";
    out << "}\n";
  }
  out << "{\"ending\": " << (r.endingReached ? "true" : "false");
  if (r.endingReached) out << ", \"frames\": " << r.endingFrames;
  out << ", \"states\": " << r.states << ", \"expanded\": " << r.expanded
      << ", \"framesRun\": " << r.framesRun << ", \"exhausted\": " << (r.exhausted ? "true" : "false")
      << ", \"seconds\": " << static_cast<long>(r.seconds)
      << ", \"memoryMB\": " << static_cast<long>(static_cast<double>(r.memoryBytes) / kBytesPerMegabyte)
      << "}\n";
}

void WriteRouteScript(std::ostream& out, const RouteSearchOptions& options, const RouteSearchResult& r) {
  out << "# A route to the ending found by moriva-tool world check: " << r.endingFrames << " frames.\n"
      << "title new\n";
  if (options.start)
    out << std::setprecision(9) << "start " << options.start->BlockX << " " << options.start->BlockY << " "
        << options.start->HeroX << " " << options.start->HeroY << "\n";
  if (!options.items.empty()) {
    out << "items";
    for (int item : options.items) out << " " << item;
    out << "\n";
  }
  if (options.switchOn) out << "switch " << *options.switchOn << "\n";
  const auto moves = AllRouteMoves();
  long frame = 1;
  std::uint8_t held = 0;
  for (const RouteStep& step : r.route) {
    const RouteMove& move = moves[step.move];
    out << "# " << move.name << "\n";
    WritePhase(out, frame, move.first.keys, held);
    if (move.second.frames > 0) WritePhase(out, frame + move.first.frames, move.second.keys, held);
    frame += step.frames;
  }
  out << "frames " << r.endingFrames << "\n";
}

}  // namespace moriva
