// The world sources: a legend and a block file, both any text, then the importer's way
// back. A block that compiled without a fault converts back to text that compiles to the
// same tiles.

#include "FuzzSupport.h"
#include "WorldSource.h"

using namespace moriva::worldgen;

// Input: one byte naming the block, the legend's text, a zero byte, the block file's text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using moriva::fuzz::Require;
  if (size == 0) return 0;
  const int bx = data[0] % kWorldBlocks, by = data[0] / kWorldBlocks % kWorldBlocks;
  const std::string rest = moriva::fuzz::AsText(data + 1, size - 1);
  const std::size_t split = rest.find('\0');
  const std::string name = BlockFileName(bx, by);
  SourceErrors legendErrors, blockErrors, importErrors, againErrors;
  const WorldLegend legend = WorldLegend::Parse(rest.substr(0, split), kLegendFileName, legendErrors);
  WorldTiles tiles, again;
  ParseBlock(split < rest.size() ? rest.substr(split + 1) : std::string(), name, legend, bx, by, tiles, blockErrors);
  for (const SourceErrors* errors : {&legendErrors, &blockErrors})
    for (const SourceError& e : *errors) Require(e.line >= 0 && !e.message.empty(), "faults are located");
  if (!legendErrors.empty() || !blockErrors.empty()) return 0;

  const std::string back = BlockText(tiles, legend, bx, by, name, 1, importErrors);
  Require(importErrors.empty(), "a compiled block has a character for every tile");
  ParseBlock(back, name, legend, bx, by, again, againErrors);
  Require(againErrors.empty(), "the imported text compiles");
  Require(tiles.Bytes() == again.Bytes(), "the imported text gives the same tiles");
  return 0;
}
