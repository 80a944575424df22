#pragma once

#include <QHash>
#include <QImage>
#include <QString>

#include "Palette.h"

namespace moriva::pictures {

// Hand-placed pixel art: named grids of palette characters, read from *.grid files.
class GridLibrary {
 public:
  explicit GridLibrary(const Palette& palette) : palette_(palette) {}

  void Load(const QString& path);
  bool has(const QString& name) const { return grids_.contains(name); }
  const QImage& grid(const QString& name) const { return grids_.find(name).value(); }
  int size() const { return static_cast<int>(grids_.size()); }

 private:
  void Add(const QString& path, int line, const QString& name, const QStringList& rows);

  const Palette& palette_;
  QHash<QString, QImage> grids_;
};

}  // namespace moriva::pictures
