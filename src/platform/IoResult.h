#pragma once

#include <string>
#include <utility>

namespace moriva {

// The outcome of a file operation: success, or a one-line message a person can act on.
struct IoResult {
  bool ok = true;
  std::string message;

  explicit operator bool() const { return ok; }
  static IoResult Success() { return {}; }
  static IoResult Failure(std::string why) { return {false, std::move(why)}; }
};

}  // namespace moriva
