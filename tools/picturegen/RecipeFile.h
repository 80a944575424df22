#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace moriva::pictures {

// One picture's recipe: "key: layer | layer | ...", drawn left to right.
struct Recipe {
  QString key;
  QStringList layers;
  QString file;
  int line = 0;
};

// Reads a recipe file. A line that starts with '|' continues the recipe above it; '#'
// starts a comment line.
QList<Recipe> ReadRecipes(const QString& path);

}  // namespace moriva::pictures
