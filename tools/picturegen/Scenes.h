#pragma once

#include <QImage>

#include "GridLibrary.h"
#include "Palette.h"
#include "PictureBook.h"

namespace moriva::pictures {

// The large pictures, composed from the palette, grids and tiles: the title, the play
// screen's background with its frame and status panel, and the item dialog's background.
class Scenes {
 public:
  Scenes(const Palette& palette, const GridLibrary& grids, PictureBook& book)
      : palette_(palette), grids_(grids), book_(book) {}

  QImage Title() const;        // 514 x 346
  QImage Background() const;   // 514 x 346
  QImage Dialog() const;       // 256 x 160

 private:
  QRgb C(char key) const { return palette_.colour(QChar(key)); }
  const QImage& Grid(const char* name) const;

  const Palette& palette_;
  const GridLibrary& grids_;
  PictureBook& book_;
};

}  // namespace moriva::pictures
