// Writes the debug tile sheet: 8 x 24 tiles of 32 x 32 px, each in its own colour with its
// code written on it, so a drawing can be checked tile by tile without the real pictures.
// The digits come from a built-in pixel font: the sheet is the same on every machine.

#include <QImage>
#include <cstdio>

namespace {

constexpr int kTileSize = 32;
constexpr int kColumns = 8;
constexpr int kRows = 24;
constexpr int kGlyphWidth = 3;
constexpr int kGlyphHeight = 5;
constexpr int kScale = 2;
constexpr int kGlyphGap = 2;

// 3 x 5 digits, one row per entry, bit 2 the leftmost pixel.
constexpr unsigned char kDigits[10][kGlyphHeight] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 1, 1}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
};

// Distinct for every code: column, row within a group of six, and group pick the three
// channels.
QRgb TileColour(int code) {
  const int r = 40 + (code % 8) * 30;
  const int g = 40 + ((code / 8) % 6) * 40;
  const int b = 40 + (code / 48) * 50;
  return qRgb(r, g, b);
}

void DrawDigit(QImage& image, int left, int top, int digit, QRgb ink) {
  for (int gy = 0; gy < kGlyphHeight; ++gy)
    for (int gx = 0; gx < kGlyphWidth; ++gx) {
      if (!(kDigits[digit][gy] & (4 >> gx))) continue;
      for (int sy = 0; sy < kScale; ++sy)
        for (int sx = 0; sx < kScale; ++sx)
          image.setPixel(left + gx * kScale + sx, top + gy * kScale + sy, ink);
    }
}

void DrawTile(QImage& image, int code) {
  const int left = (code % kColumns) * kTileSize;
  const int top = (code / kColumns) * kTileSize;
  const QRgb colour = TileColour(code);
  const QRgb edge = qRgb(qRed(colour) / 2, qGreen(colour) / 2, qBlue(colour) / 2);
  for (int y = 0; y < kTileSize; ++y)
    for (int x = 0; x < kTileSize; ++x) {
      const bool border = x == 0 || y == 0 || x == kTileSize - 1 || y == kTileSize - 1;
      image.setPixel(left + x, top + y, border ? edge : colour);
    }

  const int digits = code >= 100 ? 3 : code >= 10 ? 2 : 1;
  const int glyphStep = kGlyphWidth * kScale + kGlyphGap;
  const int textWidth = digits * glyphStep - kGlyphGap;
  int x = left + (kTileSize - textWidth) / 2;
  const int y = top + (kTileSize - kGlyphHeight * kScale) / 2;
  const bool light = qGray(colour) > 128;
  const QRgb ink = light ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
  int divisor = digits == 3 ? 100 : digits == 2 ? 10 : 1;
  for (; divisor > 0; divisor /= 10, x += glyphStep) DrawDigit(image, x, y, code / divisor % 10, ink);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: moriva-debugsheet OUT.png\n");
    return 2;
  }
  QImage sheet(kColumns * kTileSize, kRows * kTileSize, QImage::Format_RGB32);
  for (int code = 0; code < kColumns * kRows; ++code) DrawTile(sheet, code);
  if (!sheet.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "moriva-debugsheet: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
