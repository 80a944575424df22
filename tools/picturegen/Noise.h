#pragma once

#include <cmath>
#include <cstdint>

namespace moriva::pictures {

// Deterministic noise for textures: the same sources give the same pictures on every
// machine, so the pictures can be compared and reviewed.
inline std::uint32_t Hash(int x, int y, int seed) {
  std::uint32_t h = static_cast<std::uint32_t>(x) * 0x8da6b343u ^
                    static_cast<std::uint32_t>(y) * 0xd8163841u ^
                    static_cast<std::uint32_t>(seed) * 0xcb1ab31fu;
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  h ^= h >> 15;
  return h;
}

inline double Unit(int x, int y, int seed) { return (Hash(x, y, seed) & 0xFFFFFF) / 16777216.0; }

// Smooth noise in 0..1 whose lattice repeats every `period` pixels, so a tile drawn with it
// joins its own copies without a seam.
inline double TiledNoise(double x, double y, int scale, int period, int seed) {
  const int cells = period / scale;
  const double fx = x / scale, fy = y / scale;
  const int x0 = static_cast<int>(std::floor(fx)), y0 = static_cast<int>(std::floor(fy));
  const double tx = fx - x0, ty = fy - y0;
  auto at = [&](int ix, int iy) {
    return Unit(((ix % cells) + cells) % cells, ((iy % cells) + cells) % cells, seed);
  };
  const double sx = tx * tx * (3 - 2 * tx), sy = ty * ty * (3 - 2 * ty);
  const double a = at(x0, y0) + (at(x0 + 1, y0) - at(x0, y0)) * sx;
  const double b = at(x0, y0 + 1) + (at(x0 + 1, y0 + 1) - at(x0, y0 + 1)) * sx;
  return a + (b - a) * sy;
}

}  // namespace moriva::pictures
