#include "Sheets.h"

#include <QPainter>
#include <stdexcept>

#include "AnimationTable.h"
#include "Quantizer.h"
#include "TileRoles.h"

namespace moriva::pictures {

namespace {

// The sheets' own white marks "no figure here"; a figure that needs white uses the
// palette's near-white so the mask stays exact.
constexpr QRgb kSheetWhite = 0xFFFFFFFFu;
constexpr QRgb kFigureWhite = 0xFFFEFEFEu;

void Need(bool ok, const std::string& what) {
  if (!ok) throw std::runtime_error(what);
}

QRect CellRect(int cell) {
  return {(cell % kSheetColumns) * kCell, (cell / kSheetColumns) * kCell, kCell, kCell};
}

}  // namespace

QImage BuildTileSheet(PictureBook& book, QHash<QRgb, QRgb>* mapping) {
  QImage sheet(kSheetWidth, kSheetHeight, QImage::Format_RGB32);
  sheet.fill(Qt::black);
  QPainter p(&sheet);
  for (int code = 0; code < kSheetCodes; ++code) {
    Need(book.has(QStringLiteral("tile"), code),
         "tile " + std::to_string(code) + " has no recipe");
    p.drawImage(CellRect(code).topLeft(), book.picture(QStringLiteral("tile"), code));
  }
  p.end();
  return QuantizeToPalette(sheet, kPaletteLimit, mapping);
}

QImage BuildSpriteSheet(PictureBook& book, const QHash<QRgb, QRgb>& mapping) {
  QImage sheet(kSheetWidth, kSheetHeight, QImage::Format_RGB32);
  sheet.fill(kSheetWhite);
  QList<int> usedCells;
  for (int n = 0; n < kSpriteSlots; ++n) {
    if (!book.has(QStringLiteral("sprite"), n)) {
      Need(n >= kHeroSprites, "sprite " + std::to_string(n) + " has no recipe");
      continue;
    }
    const QImage figure = book.picture(QStringLiteral("sprite"), n);
    const int picture = (n / kSheetColumns) * 2 * kSheetColumns + n % kSheetColumns;
    const int mask = picture + kSheetColumns;
    usedCells << picture << mask;
    const QPoint at = CellRect(picture).topLeft(), maskAt = CellRect(mask).topLeft();
    for (int y = 0; y < kCell; ++y)
      for (int x = 0; x < kCell; ++x) {
        const QRgb c = figure.pixel(x, y);
        const bool inside = qAlpha(c) > 0;
        const QRgb colour = (c | 0xFF000000u) == kSheetWhite ? kFigureWhite : (c | 0xFF000000u);
        sheet.setPixel(at.x() + x, at.y() + y, inside ? colour : kSheetWhite);
        sheet.setPixel(maskAt.x() + x, maskAt.y() + y, inside ? 0xFF000000u : kSheetWhite);
      }
  }
  for (int cell = 0; cell < kSheetColumns * (kSheetHeight / kCell); ++cell) {
    if (!book.has(QStringLiteral("cell"), cell)) continue;
    Need(!usedCells.contains(cell),
         "cell " + std::to_string(cell) + " lies on a sprite or its mask");
    const QImage picture = book.picture(QStringLiteral("cell"), cell);
    const QPoint at = CellRect(cell).topLeft();
    const bool animated = cell >= kFirstAnimationCell && cell <= kLastAnimationCell;
    for (int y = 0; y < kCell; ++y)
      for (int x = 0; x < kCell; ++x) {
        QRgb c = picture.pixel(x, y);
        c = qAlpha(c) > 0 ? (c | 0xFF000000u) : kSheetWhite;
        if (animated) c = mapping.value(c, c);
        sheet.setPixel(at.x() + x, at.y() + y, c);
      }
  }
  for (int code : kAnimatedCodes)
    for (int s = 0; s <= 1; ++s)
      for (int c = 0; c < 100; ++c) {
        const int cell = AnimationCell(code, c, s);
        Need(book.has(QStringLiteral("cell"), cell),
             "animation cell " + std::to_string(cell) + " of tile " + std::to_string(code) +
                 " has no recipe");
      }
  for (int cell : {kMemoCell, kDudCell, kOliveStoneCell})
    Need(book.has(QStringLiteral("cell"), cell), "cell " + std::to_string(cell) + " has no recipe");
  return sheet;
}

}  // namespace moriva::pictures
