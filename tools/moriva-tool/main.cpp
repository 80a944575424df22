// moriva-tool: inspects worlds and saved games and renders pictures without a window.
// Each command group lives in its own file and registers itself (see CommandGroup.h).

#include <QCoreApplication>
#include <QGuiApplication>
#include <iostream>
#include <memory>
#include <sstream>

#include "CommandGroup.h"

namespace {

using moriva::tool::CommandGroup;

void PrintUsage(std::ostream& out) {
  out << "usage:\n";
  for (const CommandGroup& group : moriva::tool::CommandGroups()) {
    std::istringstream lines(group.usage);
    for (std::string line; std::getline(lines, line);) out << "  moriva-tool " << line << "\n";
  }
  out << "  moriva-tool --help | --version\n"
         "Exit status: 0 on success, 2 on bad input (with a one-line message).\n"
         "See docs/moriva-tool.md.\n";
}

int BadInput(const std::string& message) {
  std::cerr << "moriva-tool: " << message << "\n";
  return moriva::tool::kBadInput;
}

const CommandGroup* FindGroup(const std::string& name) {
  for (const CommandGroup& group : moriva::tool::CommandGroups())
    if (group.name == name) return &group;
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return BadInput("missing command (try moriva-tool --help)");
  const std::string first = argv[1];
  if (first == "--help" || first == "-h" || first == "help") {
    PrintUsage(std::cout);
    return moriva::tool::kSuccess;
  }
  if (first == "--version") {
    std::cout << "moriva-tool " << MORIVA_VERSION << "\n";
    return moriva::tool::kSuccess;
  }
  const CommandGroup* group = FindGroup(first);
  if (!group) return BadInput("unknown command '" + first + "' (try moriva-tool --help)");

  std::unique_ptr<QCoreApplication> app;
  if (group->needsGui)
    app = std::make_unique<QGuiApplication>(argc, argv);
  else
    app = std::make_unique<QCoreApplication>(argc, argv);

  const moriva::tool::Arguments args(argv + 2, argv + argc);
  try {
    const int status = group->run(args, std::cout);
    std::cout.flush();
    return status;
  } catch (const moriva::tool::ToolError& e) {
    return BadInput(e.what());
  }
}
