#pragma once

#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace moriva::tool {

// Bad input of any kind (arguments, files, output paths): the tool prints the message as
// one line and exits with kBadInput.
struct ToolError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

constexpr int kSuccess = 0;
constexpr int kBadInput = 2;

// The words after the group's name, e.g. {"info", "mapdata.dat"} for `map info mapdata.dat`.
using Arguments = std::vector<std::string>;

// One command group (`map`, `save`, `assets`, ...), each in its own source file, which
// registers itself at start-up so that adding a group touches no other file:
//   const bool kRegistered = RegisterCommandGroup({"map", "...usage lines...", &RunMap});
struct CommandGroup {
  std::string name;
  std::string usage;  // one line per command, without the leading "moriva-tool "
  int (*run)(const Arguments& args, std::ostream& out) = nullptr;
  bool needsGui = false;  // needs a QGuiApplication (fonts, window-system services)
};

bool RegisterCommandGroup(CommandGroup group);
const std::vector<CommandGroup>& CommandGroups();

}  // namespace moriva::tool
