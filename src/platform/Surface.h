#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/ZeroedAllocator.h"

namespace moriva {

// A pixel is 0x00RRGGBB; raster operations work on all 32 bits.
using Pixel = std::uint32_t;

constexpr Pixel Rgb(int r, int g, int b) {
  return (static_cast<Pixel>(r & 0xFF) << 16) | (static_cast<Pixel>(g & 0xFF) << 8) |
         static_cast<Pixel>(b & 0xFF);
}

// The raster operations of a block transfer, with the platform's historical codes.
enum class RasterOp : std::uint32_t {
  SrcCopy = 0x00CC0020,   // dst = src
  SrcErase = 0x00440328,  // dst = src AND NOT dst
  SrcInvert = 0x00660046, // dst = src XOR dst
};

// An owned 32-bit pixel buffer that keeps its picture off screen. A window that shows
// the surface listens for Refresh(); everything else only draws into it.
class Surface {
 public:
  Surface() = default;
  Surface(int width, int height, Pixel fill = 0);

  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return pixels_.empty(); }

  Pixel pixel(int x, int y) const;  // black outside the surface
  void setPixel(int x, int y, Pixel p);  // ignored outside the surface
  void fill(Pixel p);
  void fillRect(int x, int y, int w, int h, Pixel p);  // clipped

  const Pixel* data() const { return pixels_.data(); }
  Pixel* data() { return pixels_.data(); }
  const Pixel* row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  Pixel* row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }

  // Shows the finished picture: counts the call and tells the listener, if any.
  void Refresh();
  long refreshCount() const { return refreshCount_; }
  void setRefreshListener(std::function<void()> listener) { listener_ = std::move(listener); }

  // Block transfers drawn onto this surface so far: drawing code is judged by this count.
  long transferCount() const { return transferCount_; }
  void countTransfer() { ++transferCount_; }

  // Writes the picture as an uncompressed 24-bit BMP, replacing the file in one step.
  // False when the file cannot be written.
  bool SaveBmp(const std::string& path) const;

  bool operator==(const Surface& other) const {
    return width_ == other.width_ && height_ == other.height_ && pixels_ == other.pixels_;
  }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Pixel, ZeroedAllocator<Pixel>> pixels_;  // untouched until drawn on
  long refreshCount_ = 0;
  long transferCount_ = 0;
  std::function<void()> listener_;
};

// Block transfer of a w x h rectangle from src (sx, sy) to dst (dx, dy), clipped against
// the destination; source pixels outside the source read as black. Source and destination
// may be the same surface, with overlapping rectangles.
void BitBlt(Surface& dst, int dx, int dy, int w, int h, const Surface& src, int sx, int sy,
            RasterOp rop);

// Copies the source rectangle onto the destination rectangle, scaling by nearest pixel.
void StretchBlt(Surface& dst, int dx, int dy, int dw, int dh, const Surface& src, int sx, int sy,
                int sw, int sh);

}  // namespace moriva
