#include "PictureSheets.h"

namespace moriva::pictures::testing {

QImage Embedded(const QString& name) {
  return QImage(QStringLiteral(":/pictures/") + name + QStringLiteral(".png"))
      .convertToFormat(QImage::Format_RGB32);
}

QImage Cell(const QImage& sheet, int k) { return sheet.copy((k % 8) * 32, (k / 8) * 32, 32, 32); }

bool AllOf(const QImage& picture, QRgb colour) {
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      if ((picture.pixel(x, y) & 0xFFFFFF) != (colour & 0xFFFFFF)) return false;
  return true;
}

}  // namespace moriva::pictures::testing
