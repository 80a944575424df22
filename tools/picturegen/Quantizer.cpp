#include "Quantizer.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace moriva::pictures {

namespace {

int Distance(QRgb a, QRgb b) {
  const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
  return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

}  // namespace

QImage QuantizeToPalette(const QImage& picture, int limit, QHash<QRgb, QRgb>* mapping) {
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
  QHash<QRgb, int> uses;
  for (int y = 0; y < rgb.height(); ++y)
    for (int x = 0; x < rgb.width(); ++x) ++uses[rgb.pixel(x, y) | 0xFF000000u];

  std::vector<std::pair<QRgb, int>> byUse;
  for (auto it = uses.cbegin(); it != uses.cend(); ++it) byUse.emplace_back(it.key(), it.value());
  std::sort(byUse.begin(), byUse.end(), [](const auto& a, const auto& b) {
    return a.second != b.second ? a.second > b.second : a.first < b.first;
  });
  QList<QRgb> table;
  for (const auto& [colour, count] : byUse) {
    if (table.size() == limit) break;
    table.append(colour);
  }
  std::sort(table.begin(), table.end());

  QHash<QRgb, int> index;
  for (const auto& [colour, count] : byUse) {
    int best = 0, bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < table.size(); ++i) {
      const int d = Distance(colour, table[i]);
      if (d < bestDistance) {
        bestDistance = d;
        best = i;
      }
    }
    index.insert(colour, best);
    if (mapping) mapping->insert(colour, table[best]);
  }

  QImage out(rgb.size(), QImage::Format_Indexed8);
  out.setColorTable(table);
  for (int y = 0; y < rgb.height(); ++y) {
    uchar* line = out.scanLine(y);
    for (int x = 0; x < rgb.width(); ++x)
      line[x] = static_cast<uchar>(index.value(rgb.pixel(x, y) | 0xFF000000u));
  }
  return out;
}

}  // namespace moriva::pictures
