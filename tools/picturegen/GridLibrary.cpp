#include "GridLibrary.h"

#include <QFile>
#include <QTextStream>

#include "SourceError.h"

namespace moriva::pictures {

void GridLibrary::Load(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
    throw SourceError(path.toStdString(), 0, "cannot read the grid file");
  QTextStream in(&file);
  QString name;
  int nameLine = 0;
  QStringList rows;
  int line = 0;
  auto finish = [&] {
    if (!name.isEmpty()) Add(path, nameLine, name, rows);
    name.clear();
    rows.clear();
  };
  while (!in.atEnd()) {
    const QString text = in.readLine();
    ++line;
    if (text.startsWith(u'@')) {
      finish();
      name = text.mid(1).trimmed();
      nameLine = line;
      if (name.isEmpty() || name.contains(u' '))
        throw SourceError(path.toStdString(), line, "a grid needs a one-word name after '@'");
      if (grids_.contains(name))
        throw SourceError(path.toStdString(), line, "grid '" + name.toStdString() + "' exists");
      continue;
    }
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(u'#')) {
      finish();
      continue;
    }
    if (name.isEmpty())
      throw SourceError(path.toStdString(), line, "grid rows before any '@name'");
    rows.append(trimmed);
  }
  finish();
}

void GridLibrary::Add(const QString& path, int line, const QString& name,
                      const QStringList& rows) {
  if (rows.isEmpty())
    throw SourceError(path.toStdString(), line, "grid '" + name.toStdString() + "' is empty");
  const qsizetype width = rows.front().size();
  QImage image(static_cast<int>(width), static_cast<int>(rows.size()),
               QImage::Format_ARGB32);
  for (int y = 0; y < rows.size(); ++y) {
    const QString& row = rows[y];
    if (row.size() != width)
      throw SourceError(path.toStdString(), line + 1 + y,
                        "grid '" + name.toStdString() + "': row is " +
                            std::to_string(row.size()) + " wide, the first is " +
                            std::to_string(width));
    for (int x = 0; x < width; ++x) {
      if (!palette_.has(row[x]))
        throw SourceError(path.toStdString(), line + 1 + y,
                          "character '" + QString(row[x]).toStdString() +
                              "' is not in the palette");
      image.setPixel(x, y, palette_.colour(row[x]));
    }
  }
  grids_.insert(name, image);
}

}  // namespace moriva::pictures
