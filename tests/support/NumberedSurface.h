#pragma once

#include "platform/Surface.h"

namespace moriva::test {

// Every pixel a different non-zero value, so a transfer's source position can be read back.
inline Surface Numbered(int w, int h) {
  Surface s(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) s.setPixel(x, y, static_cast<Pixel>(1 + y * w + x));
  return s;
}

}  // namespace moriva::test
