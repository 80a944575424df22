#include "platform/Surface.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace moriva {

Surface::Surface(int width, int height, Pixel fill)
    : width_(std::max(0, width)),
      height_(std::max(0, height)),
      pixels_(static_cast<std::size_t>(width_) * height_, fill) {}

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
  const int x1 = std::min(width_, x + w), y1 = std::min(height_, y + h);
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

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

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

  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) return false;
  if (std::fwrite(header, 1, sizeof header, file.get()) != sizeof header) return false;
  std::vector<unsigned char> line(stride, 0);
  for (int y = height_ - 1; y >= 0; --y) {
    const Pixel* src = row(y);
    for (int x = 0; x < width_; ++x) {
      line[3 * x + 0] = static_cast<unsigned char>(src[x]);
      line[3 * x + 1] = static_cast<unsigned char>(src[x] >> 8);
      line[3 * x + 2] = static_cast<unsigned char>(src[x] >> 16);
    }
    if (std::fwrite(line.data(), 1, stride, file.get()) != stride) return false;
  }
  return std::fflush(file.get()) == 0;
}

void BitBlt(Surface& dst, int dx, int dy, int w, int h, const Surface& src, int sx, int sy,
            RasterOp rop) {
  // Clip against the destination only; the source is read pixel by pixel where it may
  // lie outside, so that those pixels come out black.
  int x0 = 0, y0 = 0, x1 = w, y1 = h;
  x0 = std::max(x0, -dx);
  y0 = std::max(y0, -dy);
  x1 = std::min(x1, dst.width() - dx);
  y1 = std::min(y1, dst.height() - dy);
  if (x0 >= x1 || y0 >= y1) return;

  for (int y = y0; y < y1; ++y) {
    Pixel* out = dst.row(dy + y) + dx;
    const int srcY = sy + y;
    const bool rowInside = srcY >= 0 && srcY < src.height();
    const Pixel* in = rowInside ? src.row(srcY) : nullptr;
    for (int x = x0; x < x1; ++x) {
      const int srcX = sx + x;
      const Pixel s = (in && srcX >= 0 && srcX < src.width()) ? in[srcX] : 0;
      Pixel& d = out[x];
      switch (rop) {
        case RasterOp::SrcCopy: d = s; break;
        case RasterOp::SrcErase: d = s & ~d; break;
        case RasterOp::SrcInvert: d = s ^ d; break;
      }
    }
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
