// moriva-tool replay --folder DIR --script FILE [--trace OUT]

#include <iostream>

#include "ToolSupport.h"
#include "replay/ReplayRunner.h"

namespace moriva::tool {

namespace {

constexpr const char* kReplayUsage = "replay --folder DIR --script FILE [--trace OUT]";

int Replay(const Arguments& args, std::ostream& out) {
  std::string folder, script, trace;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& option = args[i];
    std::string* target = option == "--folder" ? &folder
                          : option == "--script" ? &script
                          : option == "--trace"  ? &trace
                                                 : nullptr;
    if (!target) throw ToolError(std::string("unknown argument '") + option + "'; usage: " + kReplayUsage);
    *target = Argument(args, ++i, option.c_str());
  }
  if (folder.empty() || script.empty()) throw ToolError(std::string("usage: ") + kReplayUsage);
  return RunReplayCommand(folder, script, trace, out, std::cerr);
}

const bool kRegistered = RegisterCommandGroup({"replay", kReplayUsage, &Replay});

}  // namespace

}  // namespace moriva::tool
