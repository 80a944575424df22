#include "RecipeFile.h"

#include <QFile>
#include <QTextStream>

#include "SourceError.h"

namespace moriva::pictures {

namespace {

QStringList SplitLayers(const QString& text) {
  QStringList layers;
  for (const QString& part : text.split(u'|')) {
    const QString layer = part.simplified();
    if (!layer.isEmpty()) layers.append(layer);
  }
  return layers;
}

}  // namespace

QList<Recipe> ReadRecipes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
    throw SourceError(path.toStdString(), 0, "cannot read the recipe file");
  QTextStream in(&file);
  QList<Recipe> recipes;
  int line = 0;
  while (!in.atEnd()) {
    const QString text = in.readLine().trimmed();
    ++line;
    if (text.isEmpty() || text.startsWith(u'#')) continue;
    if (text.startsWith(u'|')) {
      if (recipes.isEmpty())
        throw SourceError(path.toStdString(), line, "continuation before any recipe");
      recipes.back().layers.append(SplitLayers(text));
      continue;
    }
    const qsizetype colon = text.indexOf(u':');
    if (colon <= 0) throw SourceError(path.toStdString(), line, "expected 'key: layers'");
    recipes.append(Recipe{text.left(colon).simplified(), SplitLayers(text.mid(colon + 1)),
                          path, line});
  }
  return recipes;
}

}  // namespace moriva::pictures
