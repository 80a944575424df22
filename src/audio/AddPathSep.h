#pragma once

#include <string>

namespace moriva {

inline constexpr char kPathSep = '/';

// The folder with one separator at its end, ready for a file name to be appended; an empty
// folder gives the separator alone.
inline std::string AddPathSep(const std::string& path) {
  if (!path.empty() && path.back() == kPathSep) return path;
  return path + kPathSep;
}

}  // namespace moriva
