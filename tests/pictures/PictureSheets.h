#pragma once

#include <QImage>
#include <QString>

namespace moriva::pictures::testing {

// The embedded pictures as the game gets them.
QImage Embedded(const QString& name);

// One 32 x 32 cell of a sheet: cell k at column k mod 8, row k / 8.
QImage Cell(const QImage& sheet, int k);

// True when every pixel of the picture has this colour (alpha ignored).
bool AllOf(const QImage& picture, QRgb colour);

}  // namespace moriva::pictures::testing
