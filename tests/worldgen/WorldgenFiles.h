#pragma once

#include <fstream>
#include <sstream>
#include <string>

#include "WorldSource.h"
#include "support/TempFolder.h"

namespace moriva::worldgen {

inline void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// A small valid source folder in `dir`: every block open air under a comment line, block
// (2, 2) with one rock at column 6, row 4.
inline void WriteWorld(const moriva::test::TempFolder& dir) {
  WriteFile(dir.file(kLegendFileName), "// test legend\n. 0\n# 96\nw 48\n");
  for (int by = 0; by < kWorldBlocks; ++by) {
    for (int bx = 0; bx < kWorldBlocks; ++bx) {
      std::string text = "// block " + std::to_string(bx) + "," + std::to_string(by) + "\n";
      for (int j = 0; j < kBlockTiles; ++j) {
        std::string row(kBlockTiles, '.');
        if (bx == 2 && by == 2 && j == 4) row[6] = '#';
        text += row + "\n";
      }
      WriteFile(dir.file(BlockFileName(bx, by)), text);
    }
  }
}

}  // namespace moriva::worldgen
