#include "Palette.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

#include "SourceError.h"

namespace moriva::pictures {

void Palette::Load(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
    throw SourceError(path.toStdString(), 0, "cannot read the palette");
  QTextStream in(&file);
  const QRegularExpression entry(QStringLiteral("^(\\S)\\s+#([0-9a-fA-F]{6})(\\s.*)?$"));
  int line = 0;
  while (!in.atEnd()) {
    const QString text = in.readLine();
    ++line;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(u'#')) continue;
    const auto m = entry.match(trimmed);
    if (!m.hasMatch())
      throw SourceError(path.toStdString(), line, "expected: <character> #rrggbb [name]");
    const QChar key = m.captured(1).at(0);
    if (key == kClear || colours_.contains(key))
      throw SourceError(path.toStdString(), line,
                        "character '" + QString(key).toStdString() + "' is taken");
    colours_.insert(key, 0xFF000000u | m.captured(2).toUInt(nullptr, 16));
  }
}

QRgb Palette::colour(QChar key) const {
  if (key == kClear) return 0;
  return colours_.value(key, 0);
}

QRgb Palette::parse(const QString& token, const QString& where, int line) const {
  if (token.size() == 7 && token.startsWith(u'#')) {
    bool ok = false;
    const uint v = token.mid(1).toUInt(&ok, 16);
    if (ok) return 0xFF000000u | v;
  }
  if (token.size() == 1 && has(token.at(0))) return colour(token.at(0));
  throw SourceError(where.toStdString(), line,
                    "not a palette colour: '" + token.toStdString() + "'");
}

}  // namespace moriva::pictures
