#pragma once

#include <stdexcept>
#include <string>

namespace moriva::pictures {

// A fault in the picture sources, named by file and line so the author can find it.
class SourceError : public std::runtime_error {
 public:
  SourceError(const std::string& where, int line, const std::string& what)
      : std::runtime_error(where + ":" + std::to_string(line) + ": " + what) {}
};

}  // namespace moriva::pictures
