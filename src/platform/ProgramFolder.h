#pragma once

#include <string>

namespace moriva {

// The folder that holds the executable, its music, effects, world and saves.
std::string ProgramFolder();

// Folder + "/" + name: the separator is always added, as every fixed file name expects.
std::string JoinProgramPath(const std::string& folder, const std::string& name);

}  // namespace moriva
