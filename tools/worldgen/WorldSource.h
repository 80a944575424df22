#pragma once

#include <string>

#include "SourceError.h"
#include "WorldLegend.h"
#include "WorldTiles.h"

namespace moriva::worldgen {

// The world's sources: a folder with legend.txt and one text file per block,
// block-BX-BY.txt, each 50 rows of 50 legend characters (rows top to bottom, characters
// left to right). Lines starting with "//" are comments in both kinds of file.
inline constexpr const char* kLegendFileName = "legend.txt";
std::string BlockFileName(int bx, int by);

// Fills block (bx, by) of `tiles` from one block file's text. Every problem is reported;
// the block's cells are left as they are where a row is bad.
void ParseBlock(const std::string& text, const std::string& fileName, const WorldLegend& legend,
                int bx, int by, WorldTiles& tiles, SourceErrors& errors);

// Reads the whole source folder. The tiles are complete only when `errors` stays empty.
WorldTiles CompileWorld(const std::string& sourceDir, SourceErrors& errors);

// The text of block (bx, by) of `tiles`, in the block-file format; a code the legend has no
// character for is reported (once per code, at the file line where row 0 is `firstLine`) and
// written as '?'.
std::string BlockText(const WorldTiles& tiles, const WorldLegend& legend, int bx, int by,
                      const std::string& fileName, int firstLine, SourceErrors& errors);

}  // namespace moriva::worldgen
