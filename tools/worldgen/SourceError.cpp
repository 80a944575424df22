#include "SourceError.h"

namespace moriva::worldgen {

std::string SourceError::Text() const {
  std::string text = file;
  if (line > 0) {
    text += ":" + std::to_string(line);
    if (column > 0) text += ":" + std::to_string(column);
  }
  return text + ": " + message;
}

}  // namespace moriva::worldgen
