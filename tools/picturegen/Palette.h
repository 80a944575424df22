#pragma once

#include <QHash>
#include <QRgb>
#include <QString>

namespace moriva::pictures {

// The one palette of the world: a character for each colour, used by every grid and every
// texture, so that all pictures share their colours (and the tile sheet stays within an
// 8-bit palette).
class Palette {
 public:
  static constexpr QChar kClear = u'.';

  void Load(const QString& path);

  bool has(QChar key) const { return key == kClear || colours_.contains(key); }
  // The colour of a character, or of a "#rrggbb" literal; transparent for '.'.
  QRgb colour(QChar key) const;
  QRgb parse(const QString& token, const QString& where, int line) const;
  int size() const { return static_cast<int>(colours_.size()); }

 private:
  QHash<QChar, QRgb> colours_;
};

}  // namespace moriva::pictures
