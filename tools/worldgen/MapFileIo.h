#pragma once

#include <string>

#include "WorldTiles.h"

namespace moriva::worldgen {

// Writes the 62,500-byte map file through a temporary file and a rename, so an interrupted
// build never leaves half a world behind. Returns an empty string or the reason it failed.
std::string WriteMapFile(const WorldTiles& tiles, const std::string& path);

// Reads a map file as the game does: the first 62,500 bytes, column by column. A shorter
// file is refused here (the game would read the missing cells as 0, which is never what a
// world builder means to keep); bytes beyond the world are ignored.
std::string ReadMapFile(const std::string& path, WorldTiles& tiles);

// Writes a text file the same safe way.
std::string WriteTextFile(const std::string& path, const std::string& text);

}  // namespace moriva::worldgen
