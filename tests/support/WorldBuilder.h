#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "world/MapGrid.h"

namespace moriva::test {

// Builds a world map from a few rows of text, one character a tile, so a test shows the
// place it plays in. The whole world starts as open background (code 0).
//
// Legend:
//   .  0 open           #  96 solid          W  5 water          F  32 fire
//   R  33 red pool      ^  34 spikes         S  38 spring        H  40 ladder
//   <  44 launcher left >  46 launcher right ~  50 float         k  52 hook
//   J  54 flame jet     B  55 box            ?  61 hidden block  !  62 hidden ice block
//   x  65 (passable, stops the rope)         G  142 goal         T  143 switch
//   c  144 crumbling    C  160 crumbling (second kind)
//   b g r y  148..151 doors (blue, green, red, yellow)
//   =  152 glass        %  153 cracked glass {  154 conveyor left }  155 conveyor right
//   (  158 fast left    )  159 fast right    I  156 ice
class WorldBuilder {
 public:
  // Writes the rows into block (bx, by) from its tile (col, row) on, rightwards and
  // downwards. Column or row 50 is the first of the next block (the world's spare edge for
  // block 4). A character missing from the legend fails the test that used it.
  WorldBuilder& Put(int bx, int by, int col, int row, std::initializer_list<std::string_view> rows) {
    constexpr std::string_view kChars = ".#WFR^SH<>~kJB?!xGTcCbgry=%{}()I";
    constexpr std::uint8_t kCodes[] = {0,   96,  5,   32,  33,  34,  38,  40,  44,  46,  50,
                                       52,  54,  55,  61,  62,  65,  142, 143, 144, 160, 148,
                                       149, 150, 151, 152, 153, 154, 155, 158, 159, 156};
    static_assert(std::size(kCodes) == kChars.size());
    for (std::string_view text : rows) {
      for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t at = kChars.find(text[i]);
        if (at == std::string_view::npos) ADD_FAILURE() << "no tile code for '" << text[i] << "'";
        else Set(bx, by, col + static_cast<int>(i), row, kCodes[at]);
      }
      ++row;
    }
    return *this;
  }

  // One tile of block (bx, by).
  WorldBuilder& Set(int bx, int by, int col, int row, std::uint8_t code) {
    const int x = bx * kBlockTiles + col, y = by * kBlockTiles + row;
    if (x < 0 || x > kWorldTiles || y < 0 || y > kWorldTiles)
      ADD_FAILURE() << "tile (" << col << ", " << row << ") of block (" << bx << ", " << by << ") lies outside the world";
    else map_(x, y) = code;
    return *this;
  }

  // Every tile of block (bx, by), its spare column and row included.
  WorldBuilder& Fill(int bx, int by, std::uint8_t code) {
    for (int col = 0; col <= kBlockTiles; ++col)
      for (int row = 0; row <= kBlockTiles; ++row) Set(bx, by, col, row, code);
    return *this;
  }

  // A solid floor along the whole of tile row `row` of block (bx, by).
  WorldBuilder& Floor(int bx, int by, int row, std::uint8_t code = 96) {
    for (int col = 0; col < kBlockTiles; ++col) Set(bx, by, col, row, code);
    return *this;
  }

  const MapGrid& Map() const { return map_; }
  MapGrid& Map() { return map_; }

  // Pixel position of the top-left corner of a hero standing on tile (col, row) - that is,
  // occupying the tile above it.
  static float StandX(int col) { return static_cast<float>(col * kTileSize); }
  static float StandY(int row) { return static_cast<float>((row - 1) * kTileSize); }

 private:
  MapGrid map_{};
};

}  // namespace moriva::test
