#pragma once

#include <string>
#include <vector>

namespace moriva::worldgen {

// One problem found in the world sources, located so that an editor can jump to it.
// Line and column count from 1; 0 means "the whole file".
struct SourceError {
  std::string file;
  int line = 0;
  int column = 0;
  std::string message;

  // "file:line:column: message", the form compilers use.
  std::string Text() const;
};

using SourceErrors = std::vector<SourceError>;

}  // namespace moriva::worldgen
