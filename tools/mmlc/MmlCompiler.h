#pragma once

#include <stdexcept>
#include <string>

#include "Score.h"

namespace moriva::mml {

// A fault in a score, with the line it was found on.
class MmlError : public std::runtime_error {
 public:
  MmlError(int line, const std::string& message)
      : std::runtime_error("line " + std::to_string(line) + ": " + message), line_(line) {}
  int line() const { return line_; }

 private:
  int line_;
};

// Compiles the text score format of docs/music-format.md; throws MmlError.
Score CompileMml(const std::string& text);

}  // namespace moriva::mml
