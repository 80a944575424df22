#pragma once

#include <cstdint>

#include "world/MapGrid.h"

namespace moriva {

// The two kinds of terrain whose meeting corners Edge rounds off.
constexpr std::uint8_t kEdgeGround = 8;
constexpr std::uint8_t kEdgeRock = 72;

// Sets every cell of block (bx, by) to `code`.
void FillBlock(MapGrid& map, int bx, int by, std::uint8_t code);

// Turns every `from` of the world proper (not the spare row and column) into `to`; the
// number of cells changed.
long ReplaceCode(MapGrid& map, std::uint8_t from, std::uint8_t to);

// Gives the cells of block (bx, by) with local indices 1..49 the corner code that their
// neighbours call for. Every test reads a snapshot of the block taken before the first
// write (plus the first column to its right and row below, which are 0 beyond the world),
// so the order of visits never matters. The number of cells whose code changed.
long EdgeBlock(MapGrid& map, int bx, int by);

// The code Edge gives a cell of `centre` with these neighbours (unchanged when no rule holds).
std::uint8_t EdgeCode(std::uint8_t centre, std::uint8_t up, std::uint8_t down, std::uint8_t left,
                      std::uint8_t right);

}  // namespace moriva
