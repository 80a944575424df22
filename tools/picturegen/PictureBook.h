#pragma once

#include <QHash>
#include <QImage>
#include <QSet>
#include <QString>

#include "CellPainter.h"
#include "RecipeFile.h"

namespace moriva::pictures {

// Every small picture of the world by name ("tile 5", "cell 88", "sprite 0", "item 3",
// "icon 0"), each drawn from its recipe the first time something asks for it, so recipes
// may copy one another in any order.
class PictureBook {
 public:
  PictureBook(const Palette& palette, const GridLibrary& grids);

  // Adds the recipes of a file; a bare number as key names a tile code.
  void AddRecipes(const QList<Recipe>& recipes);

  bool has(const QString& kind, int number) const;
  // The picture, drawn on first use; a null image when there is no recipe.
  QImage picture(const QString& kind, int number);

 private:
  static QString Key(const QString& kind, int number) {
    return kind + u' ' + QString::number(number);
  }

  CellPainter painter_;
  QHash<QString, Recipe> recipes_;
  QHash<QString, QImage> drawn_;
  QSet<QString> drawing_;
};

}  // namespace moriva::pictures
