#pragma once

#include <QImage>
#include <QString>
#include <functional>

#include "GridLibrary.h"
#include "Palette.h"
#include "RecipeFile.h"

namespace moriva::pictures {

// Draws a recipe's layers onto a picture: fills, textures made by small procedures, stamped
// grids and copies of pictures already drawn. The layer language is documented in
// docs/pictures-format.md.
class CellPainter {
 public:
  // Resolves "tile N", "cell N" and "sprite N" to pictures drawn earlier.
  using Lookup = std::function<QImage(const QString& kind, int number)>;

  CellPainter(const Palette& palette, const GridLibrary& grids, Lookup lookup)
      : palette_(palette), grids_(grids), lookup_(std::move(lookup)) {}

  // Draws every layer of the recipe onto `target` (ARGB32), in order.
  void Paint(QImage& target, const Recipe& recipe) const;

 private:
  void Layer(QImage& target, const QStringList& args, const Recipe& recipe) const;

  const Palette& palette_;
  const GridLibrary& grids_;
  Lookup lookup_;
};

}  // namespace moriva::pictures
