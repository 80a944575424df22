#include "platform/Surface.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "platform/FileStore.h"

namespace moriva {

Surface::Surface(int width, int height, Pixel fill)
    : width_(std::max(0, width)),
      height_(std::max(0, height)),
      pixels_(static_cast<std::size_t>(width_) * height_) {
  if (fill != 0) this->fill(fill);
}

Pixel Surface::pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return row(y)[x];
}

void Surface::setPixel(int x, int y, Pixel p) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  row(y)[x] = p;
}

void Surface::fill(Pixel p) { std::fill(pixels_.begin(), pixels_.end(), p); }

void Surface::fillRect(int x, int y, int w, int h, Pixel p) {
  const int x0 = std::max(0, x), y0 = std::max(0, y);
  const int x1 = static_cast<int>(std::min<long long>(width_, static_cast<long long>(x) + w));
  const int y1 = static_cast<int>(std::min<long long>(height_, static_cast<long long>(y) + h));
  if (x0 >= x1) return;  // wholly left or right of the surface
  for (int yy = y0; yy < y1; ++yy) std::fill(row(yy) + x0, row(yy) + x1, p);
}

void Surface::Refresh() {
  ++refreshCount_;
  if (listener_) listener_();
}

namespace {

void PutLe16(unsigned char* p, unsigned v) {
  p[0] = static_cast<unsigned char>(v);
  p[1] = static_cast<unsigned char>(v >> 8);
}
void PutLe32(unsigned char* p, unsigned long v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

}  // namespace

bool Surface::SaveBmp(const std::string& path) const {
  const unsigned long stride = (static_cast<unsigned long>(width_) * 3 + 3) & ~3UL;
  const unsigned long imageSize = stride * static_cast<unsigned long>(height_);
  unsigned char header[54] = {};
  header[0] = 'B';
  header[1] = 'M';
  PutLe32(header + 2, 54 + imageSize);
  PutLe32(header + 10, 54);
  PutLe32(header + 14, 40);
  PutLe32(header + 18, static_cast<unsigned long>(width_));
  PutLe32(header + 22, static_cast<unsigned long>(height_));  // positive: bottom-up rows
  PutLe16(header + 26, 1);
  PutLe16(header + 28, 24);
  PutLe32(header + 34, imageSize);
  PutLe32(header + 38, 2835);  // 72 dpi
  PutLe32(header + 42, 2835);

  Bytes bytes(54 + imageSize, 0);
  std::copy(std::begin(header), std::end(header), bytes.begin());
  for (int y = height_ - 1; y >= 0; --y) {
    const Pixel* src = row(y);
    std::uint8_t* line = bytes.data() + 54 + static_cast<std::size_t>(height_ - 1 - y) * stride;
    for (int x = 0; x < width_; ++x) {
      line[3 * x + 0] = static_cast<std::uint8_t>(src[x]);
      line[3 * x + 1] = static_cast<std::uint8_t>(src[x] >> 8);
      line[3 * x + 2] = static_cast<std::uint8_t>(src[x] >> 16);
    }
  }
  return static_cast<bool>(WriteFileAtomically(path, bytes));
}

namespace {

template <RasterOp Op>
inline void Combine(Pixel& d, Pixel s) {
  if constexpr (Op == RasterOp::SrcCopy) d = s;
  else if constexpr (Op == RasterOp::SrcErase) d = s & ~d;
  else d = s ^ d;
}

// One row of a transfer: `count` pixels from the source row (null when the row lies
// outside the source) starting at column srcX, onto out[0..count). Columns outside the
// source read black. `backwards` walks right to left, for a copy within one row of one
// surface that moves pixels to the right.
template <RasterOp Op>
void TransferRow(Pixel* out, const Pixel* in, int srcWidth, int srcX, int count, bool backwards) {
  if (in && srcX >= 0 && srcX + count <= srcWidth) {
    // Wholly inside the source: the common case of every tile and sprite.
    const Pixel* from = in + srcX;
    if constexpr (Op == RasterOp::SrcCopy) {
      std::memmove(out, from, static_cast<std::size_t>(count) * sizeof(Pixel));  // may overlap
      return;
    }
    if (!backwards) {
      for (int x = 0; x < count; ++x) Combine<Op>(out[x], from[x]);
      return;
    }
  }
  auto one = [&](int x) {
    const int from = srcX + x;
    Combine<Op>(out[x], (in && from >= 0 && from < srcWidth) ? in[from] : Pixel{0});
  };
  if (backwards) {
    for (int x = count - 1; x >= 0; --x) one(x);
  } else {
    for (int x = 0; x < count; ++x) one(x);
  }
}

template <RasterOp Op>
void Transfer(Surface& dst, int dx, int dy, int w, int h, const Surface& src, int sx, int sy) {
  // Clip against the destination only; the source is read pixel by pixel where it may
  // lie outside, so that those pixels come out black. 64-bit sums: no overflow for any
  // position a caller passes.
  const long long x0 = std::max<long long>(0, -static_cast<long long>(dx));
  const long long y0 = std::max<long long>(0, -static_cast<long long>(dy));
  const long long x1 = std::min<long long>(w, static_cast<long long>(dst.width()) - dx);
  const long long y1 = std::min<long long>(h, static_cast<long long>(dst.height()) - dy);
  if (x0 >= x1 || y0 >= y1) return;
  const int count = static_cast<int>(x1 - x0);

  // Within one surface, walk against the direction of the move so that no pixel is read
  // after it has been overwritten.
  const bool same = &dst == &src;
  const bool upwards = same && dy > sy;
  const bool backwards = same && dy == sy && dx > sx;
  for (long long i = 0; i < y1 - y0; ++i) {
    const int y = static_cast<int>(upwards ? y1 - 1 - i : y0 + i);
    const long long srcY = static_cast<long long>(sy) + y;
    const Pixel* in = (srcY >= 0 && srcY < src.height()) ? src.row(static_cast<int>(srcY)) : nullptr;
    const long long srcX = static_cast<long long>(sx) + x0;
    Pixel* out = dst.row(dy + y) + dx + x0;
    if (srcX < -count || srcX > src.width()) in = nullptr;  // wholly outside: all black
    TransferRow<Op>(out, in, src.width(), in ? static_cast<int>(srcX) : 0, count, backwards);
  }
}

}  // namespace

void BitBlt(Surface& dst, int dx, int dy, int w, int h, const Surface& src, int sx, int sy,
            RasterOp rop) {
  dst.countTransfer();
  switch (rop) {
    case RasterOp::SrcCopy: Transfer<RasterOp::SrcCopy>(dst, dx, dy, w, h, src, sx, sy); break;
    case RasterOp::SrcErase: Transfer<RasterOp::SrcErase>(dst, dx, dy, w, h, src, sx, sy); break;
    case RasterOp::SrcInvert: Transfer<RasterOp::SrcInvert>(dst, dx, dy, w, h, src, sx, sy); break;
  }
}

void StretchBlt(Surface& dst, int dx, int dy, int dw, int dh, const Surface& src, int sx, int sy,
                int sw, int sh) {
  if (dw <= 0 || dh <= 0) return;
  for (int y = 0; y < dh; ++y) {
    const int ty = dy + y;
    if (ty < 0 || ty >= dst.height()) continue;
    const int fromY = sy + static_cast<int>((static_cast<long long>(y) * sh) / dh);
    for (int x = 0; x < dw; ++x) {
      const int tx = dx + x;
      if (tx < 0 || tx >= dst.width()) continue;
      const int fromX = sx + static_cast<int>((static_cast<long long>(x) * sw) / dw);
      dst.row(ty)[tx] = src.pixel(fromX, fromY);
    }
  }
}

}  // namespace moriva
