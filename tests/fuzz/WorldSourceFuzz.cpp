// The world sources: a legend and a block file, both any text, then the importer's way
// back. A block that compiled without a fault converts back to text that compiles to the
// same tiles.

#include <algorithm>

#include "FuzzSupport.h"
#include "WorldSource.h"

using namespace moriva::worldgen;

// Input: one byte naming the block, the legend's text, a zero byte, the block file's text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using moriva::fuzz::Require;
  if (size == 0) return 0;
  const int bx = data[0] % kWorldBlocks;
  const int by = data[0] / kWorldBlocks % kWorldBlocks;
  const std::string rest = moriva::fuzz::AsText(data + 1, size - 1);
  const std::size_t split = std::min(rest.find('\0'), rest.size());
  const std::string legendText = rest.substr(0, split);
  const std::string blockText = split < rest.size() ? rest.substr(split + 1) : std::string();

  SourceErrors legendErrors;
  const WorldLegend legend = WorldLegend::Parse(legendText, kLegendFileName, legendErrors);
  for (const SourceError& e : legendErrors) Require(e.line >= 0 && !e.message.empty(), "legend faults are located");

  WorldTiles tiles;
  SourceErrors blockErrors;
  const std::string name = BlockFileName(bx, by);
  ParseBlock(blockText, name, legend, bx, by, tiles, blockErrors);
  for (const SourceError& e : blockErrors) Require(e.line >= 0 && !e.message.empty(), "block faults are located");
  if (!legendErrors.empty() || !blockErrors.empty()) return 0;

  SourceErrors importErrors;
  const std::string back = BlockText(tiles, legend, bx, by, name, 1, importErrors);
  Require(importErrors.empty(), "a compiled block has a character for every tile");
  WorldTiles again;
  SourceErrors againErrors;
  ParseBlock(back, name, legend, bx, by, again, againErrors);
  Require(againErrors.empty(), "the imported text compiles");
  for (int x = bx * kBlockTiles; x < (bx + 1) * kBlockTiles; ++x)
    for (int y = by * kBlockTiles; y < (by + 1) * kBlockTiles; ++y)
      Require(tiles(x, y) == again(x, y), "the imported text gives the same tiles");
  return 0;
}
