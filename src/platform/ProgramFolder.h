#pragma once

#include <string>

namespace moriva {

// The folder that holds the executable, its music, effects and the shipped world; its
// world, saves and exports too, unless the program may not write there (see DataFolder).
std::string ProgramFolder();

// The folder the world, the saves and the exports are written to: the program's folder,
// or the user's data folder when the program's folder is read-only.
std::string WriteFolder();

// Folder + "/" + name: the separator is always added, as every fixed file name expects.
// A written file (world, saves, exports) named in the program's own folder, when that is
// read-only, lies in the user's data folder instead.
std::string JoinProgramPath(const std::string& folder, const std::string& name);

// For the command line's help: where the program reads and writes its files, one line each.
std::string DescribeFileLocations();

}  // namespace moriva
