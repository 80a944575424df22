#pragma once

#include <functional>
#include <string>

#include "platform/FileStore.h"
#include "platform/IoResult.h"
#include "world/MapGrid.h"

namespace moriva {

constexpr const char* kMapFileName = "mapdata.dat";
constexpr int kMapFileBytes = kWorldTiles * kWorldTiles;  // 62,500, column by column
constexpr int kMapProgressEvery = 10;                     // columns between progress texts

// Receives "0/240)", "10/240)", ... "240/240)" while a map is read or written. The editor
// shows the text on its status label and repaints it at once.
using MapProgress = std::function<void(const std::string& text)>;

// Folder + "/" + "mapdata.dat".
std::string MapFilePath(const std::string& folder);

// The progress text after column x (x a multiple of ten).
std::string MapProgressText(int x);

// Fills the world part of `map` from file bytes (byte x * 250 + y is cell (x, y)); bytes
// past the end of a short file read 0, bytes beyond 62,500 are ignored, the spare row and
// column are 0. Reports progress after every tenth column.
void DecodeMap(const Bytes& bytes, MapGrid& map, const MapProgress& progress = {});

// Reads the file into the world part of `map` (x outer, y inner; byte x * 250 + y).
// A missing file is created empty and reads as all zero; cells past the end of a short
// file read 0; bytes beyond 62,500 are ignored. The spare row and column are set to 0.
// On failure `map` is left all zero for the cells not read and the message says why.
IoResult LoadMap(const std::string& path, MapGrid& map, const MapProgress& progress = {});

// Writes the world part of `map` as the first 62,500 bytes of the file, keeping whatever
// an existing longer file holds beyond them. The file is replaced in one step, so a failed
// or interrupted save leaves the previous file as it was.
IoResult SaveMap(const std::string& path, const MapGrid& map, const MapProgress& progress = {});

}  // namespace moriva
