#include "support/WorldBuilder.h"

#include <gtest/gtest.h>

namespace moriva::test {
namespace {

constexpr struct {
  char ch;
  std::uint8_t code;
} kDefaultLegend[] = {
    {'.', 0},   {'#', 96},  {'W', 5},   {'F', 32},  {'R', 33},  {'^', 34},  {'S', 38},
    {'H', 40},  {'<', 44},  {'>', 46},  {'~', 50},  {'k', 52},  {'J', 54},  {'B', 55},
    {'?', 61},  {'!', 62},  {'x', 65},  {'G', 142}, {'T', 143}, {'c', 144}, {'C', 160},
    {'b', 148}, {'g', 149}, {'r', 150}, {'y', 151}, {'=', 152}, {'%', 153}, {'{', 154},
    {'}', 155}, {'(', 158}, {')', 159}, {'I', 156},
};

bool InWorld(int x, int y) { return x >= 0 && x <= kWorldTiles && y >= 0 && y <= kWorldTiles; }

}  // namespace

WorldBuilder::WorldBuilder() {
  for (auto& entry : legend_) entry = -1;
  for (const auto& entry : kDefaultLegend) legend_[static_cast<unsigned char>(entry.ch)] = entry.code;
}

WorldBuilder& WorldBuilder::Set(int bx, int by, int col, int row, std::uint8_t code) {
  const int x = bx * kBlockTiles + col;
  const int y = by * kBlockTiles + row;
  if (!InWorld(x, y)) {
    ADD_FAILURE() << "tile (" << col << ", " << row << ") of block (" << bx << ", " << by
                  << ") lies outside the world";
    return *this;
  }
  map_(x, y) = code;
  return *this;
}

WorldBuilder& WorldBuilder::Put(int bx, int by, int col, int row,
                                std::initializer_list<std::string_view> rows) {
  int y = row;
  for (std::string_view text : rows) {
    int x = col;
    for (char ch : text) {
      const std::int16_t code = legend_[static_cast<unsigned char>(ch)];
      if (code < 0) {
        ADD_FAILURE() << "no tile code for '" << ch << "'";
      } else {
        Set(bx, by, x, y, static_cast<std::uint8_t>(code));
      }
      ++x;
    }
    ++y;
  }
  return *this;
}

WorldBuilder& WorldBuilder::Fill(int bx, int by, std::uint8_t code) {
  for (int col = 0; col <= kBlockTiles; ++col) {
    for (int row = 0; row <= kBlockTiles; ++row) Set(bx, by, col, row, code);
  }
  return *this;
}

WorldBuilder& WorldBuilder::Floor(int bx, int by, int row, std::uint8_t code) {
  for (int col = 0; col < kBlockTiles; ++col) Set(bx, by, col, row, code);
  return *this;
}

}  // namespace moriva::test
