#include "PictureBook.h"

#include "AnimationTable.h"
#include "SourceError.h"
#include "TileRoles.h"

namespace moriva::pictures {

PictureBook::PictureBook(const Palette& palette, const GridLibrary& grids)
    : painter_(palette, grids,
               [this](const QString& kind, int number) { return picture(kind, number); }) {}

void PictureBook::AddRecipes(const QList<Recipe>& recipes) {
  static const QStringList kKinds{QStringLiteral("tile"), QStringLiteral("cell"),
                                  QStringLiteral("sprite"), QStringLiteral("item"),
                                  QStringLiteral("icon")};
  for (Recipe recipe : recipes) {
    QStringList words = recipe.key.split(u' ', Qt::SkipEmptyParts);
    if (words.size() == 1) words.prepend(QStringLiteral("tile"));
    bool ok = false;
    const int number = words.size() == 2 ? words[1].toInt(&ok) : -1;
    if (!ok || !kKinds.contains(words[0]))
      throw SourceError(recipe.file.toStdString(), recipe.line,
                        "a key is 'N', 'tile N', 'cell N', 'sprite N', 'item N' or 'icon N'");
    if (words[0] == u"tile" && AnimationCell(number, 0, 1) >= 0)
      throw SourceError(recipe.file.toStdString(), recipe.line,
                        "tile " + std::to_string(number) +
                            " animates: it shows its animation cell, draw that instead");
    const QString key = Key(words[0], number);
    if (recipes_.contains(key))
      throw SourceError(recipe.file.toStdString(), recipe.line,
                        key.toStdString() + " has a recipe already (line " +
                            std::to_string(recipes_[key].line) + ")");
    recipe.key = key;
    recipes_.insert(key, recipe);
  }
}

bool PictureBook::has(const QString& kind, int number) const {
  if (kind == u"tile" && AnimationCell(number, 0, 1) >= 0)
    return has(QStringLiteral("cell"), AnimationCell(number, 0, 1));
  return recipes_.contains(Key(kind, number));
}

QImage PictureBook::picture(const QString& kind, int number) {
  // An animated tile is, on the sheet, the picture its animation starts a new game with.
  if (kind == u"tile" && AnimationCell(number, 0, 1) >= 0)
    return picture(QStringLiteral("cell"), AnimationCell(number, 0, 1));
  const QString key = Key(kind, number);
  if (const auto it = drawn_.constFind(key); it != drawn_.constEnd()) return it.value();
  const auto recipe = recipes_.constFind(key);
  if (recipe == recipes_.constEnd()) return {};
  if (drawing_.contains(key))
    throw SourceError(recipe->file.toStdString(), recipe->line,
                      key.toStdString() + " copies itself through other recipes");
  drawing_.insert(key);
  QImage image(kCell, kCell, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  painter_.Paint(image, recipe.value());
  drawing_.remove(key);
  drawn_.insert(key, image);
  return image;
}

}  // namespace moriva::pictures
