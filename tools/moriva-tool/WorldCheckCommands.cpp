// moriva-tool world check [--folder DIR] [--script OUT] [--all] [--max-seconds N]
//                         [--max-states N] [--start BX BY X Y] [--items I,J,...] [--follow SCRIPT]

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "ToolSupport.h"
#include "platform/Pictures.h"
#include "platform/ProgramFolder.h"
#include "replay/RouteReport.h"
#include "replay/RouteSearch.h"
#include "world/MapFile.h"
#include "world/basMoriva.h"

namespace moriva::tool {

namespace {

constexpr const char* kCheckUsage =
    "world check [--folder DIR] [--script OUT] [--all] [--max-seconds N] [--max-states N] [--start BX BY X Y] "
    "[--items I,J,...] [--follow SCRIPT]";
constexpr int kLastBlock = 4;
constexpr int kLastItem = 9;
constexpr int kBlockPixels = 1600;
// The checker searches at most this long unless told otherwise.
constexpr int kDefaultMaxSeconds = 600;
constexpr int kLongestSearch = 7 * 24 * 3600;
// A state costs the search about 145 bytes in all: this many keep it within 2 GB.
constexpr int kDefaultMaxStates = 14'000'000;
constexpr int kMostStates = 100'000'000;
// The exit status when the search ended without finding the ending.
constexpr int kNoEnding = 1;

int Check(const Arguments& args, std::ostream& out) {
  std::string folder, scriptPath;
  RouteSearchOptions options;
  options.maxSeconds = kDefaultMaxSeconds;
  options.maxStates = kDefaultMaxStates;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (option == "--folder") {
      folder = Argument(args, ++i, "--folder");
    } else if (option == "--script") {
      scriptPath = Argument(args, ++i, "--script");
    } else if (option == "--all") {
      options.stopAtEnding = false;
    } else if (option == "--start") {
      ReplayScript::Start start{};
      start.BlockX = static_cast<std::int16_t>(ParseInt(Argument(args, ++i, "BX"), 0, kLastBlock, "BX"));
      start.BlockY = static_cast<std::int16_t>(ParseInt(Argument(args, ++i, "BY"), 0, kLastBlock, "BY"));
      start.HeroX = static_cast<float>(ParseInt(Argument(args, ++i, "X"), 0, kBlockPixels, "X"));
      start.HeroY = static_cast<float>(ParseInt(Argument(args, ++i, "Y"), 0, kBlockPixels, "Y"));
      options.start = start;
    } else if (option == "--items") {
      std::stringstream list(Argument(args, ++i, "--items"));
      for (std::string item; std::getline(list, item, ',');)
        options.items.push_back(ParseInt(item, 0, kLastItem, "an item"));
    } else if (option == "--follow") {
      const std::string path = Argument(args, ++i, "--follow");
      std::ifstream in(path);
      if (!in) throw ToolError("cannot read the script " + path);
      ReplayScript followed;
      ReplayScriptError bad;
      if (!ParseReplayScript(in, followed, bad))
        throw ToolError(path + ":" + std::to_string(bad.line) + ": " + bad.message);
      options.follow = std::move(followed);
    } else if (option == "--max-seconds") {
      options.maxSeconds = ParseInt(Argument(args, ++i, "--max-seconds"), 1, kLongestSearch, "--max-seconds");
    } else if (option == "--max-states") {
      options.maxStates = static_cast<std::size_t>(ParseInt(Argument(args, ++i, "--max-states"), 1, kMostStates, "--max-states"));
    } else {
      throw ToolError("unknown argument '" + option + "'; usage: " + kCheckUsage);
    }
  }
  if (folder.empty()) folder = ProgramFolder();
  auto world = std::make_unique<basMoriva>();
  world->MapFile = MapFilePath(folder);
  world->Map = ReadMapStrict(world->MapFile);
  // Open the script before the search, so that a bad path does not cost a whole search.
  std::ofstream script;
  if (!scriptPath.empty()) {
    script.open(scriptPath, std::ios::binary | std::ios::trunc);
    if (!script) throw ToolError("cannot write the script " + scriptPath);
  }

  const Surface tiles = LoadPicture("tiles");
  const Surface sprites = LoadPicture("sprites");
  RouteSearch search(*world, tiles, sprites, folder);
  search.onProgress = [](const SearchProgress& p) {
    std::cerr << "world check: " << p.states << " states, " << p.boxesReached << " boxes reached, "
              << static_cast<long>(p.seconds) << " s" << std::endl;
  };
  const RouteSearchResult result = search.Run(options);
  WriteCheckReport(out, result);
  if (script.is_open()) {
    if (result.endingReached) {
      WriteRouteScript(script, options, result);
    } else {
      script << "# world check found no route to the ending.\n";
    }
    script.close();
    if (!script) throw ToolError("cannot write the script " + scriptPath);
  }
  return result.endingReached ? kSuccess : kNoEnding;
}

int RunWorld(const Arguments& args, std::ostream& out) {
  if (args.empty() || args[0] != "check") throw ToolError(std::string("usage: ") + kCheckUsage);
  return Check(Arguments(args.begin() + 1, args.end()), out);
}

const bool kRegistered = RegisterCommandGroup({"world", kCheckUsage, &RunWorld});

}  // namespace

}  // namespace moriva::tool
