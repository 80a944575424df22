#include "CommandGroup.h"

namespace moriva::tool {

namespace {
std::vector<CommandGroup>& Registry() {
  static std::vector<CommandGroup> groups;
  return groups;
}
}  // namespace

bool RegisterCommandGroup(CommandGroup group) {
  Registry().push_back(std::move(group));
  return true;
}

const std::vector<CommandGroup>& CommandGroups() { return Registry(); }

}  // namespace moriva::tool
