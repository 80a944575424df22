#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "SourceError.h"

namespace moriva::worldgen {

// Codes below this have a picture on the tile sheet; the rest draw black and mean nothing
// to the game, so the world sources never use them.
inline constexpr int kTileCodes = 192;

// The character-to-tile-code table of the world sources. One line per character:
//   <character> <code> [name ...]
// Blank lines and lines starting with "//" are comments. Each character and each code
// appears once, so a map file converts back to the same sources.
class WorldLegend {
 public:
  static WorldLegend Parse(const std::string& text, const std::string& fileName,
                           SourceErrors& errors);

  std::optional<std::uint8_t> Code(char c) const;
  std::optional<char> Character(std::uint8_t code) const;
  int Size() const { return size_; }

 private:
  std::array<std::int16_t, 128> codeOf_{};
  std::array<char, 256> charOf_{};
  std::array<int, 256> lineOf_{};
  int size_ = 0;
};

}  // namespace moriva::worldgen
