#include "CellPainter.h"

#include <QFont>
#include <QPainter>
#include <cmath>
#include <map>
#include <numbers>

#include "Noise.h"
#include "SourceError.h"

namespace moriva::pictures {

namespace {

// The arguments of one layer, read with the error messages a source author needs.
class Args {
 public:
  Args(const QStringList& words, const Recipe& recipe, const Palette& palette)
      : words_(words), recipe_(recipe), palette_(palette) {}

  int count() const { return static_cast<int>(words_.size()) - 1; }
  const QString& word(int i) const {
    Need(i);
    return words_[i + 1];
  }
  QRgb colour(int i) const { return palette_.parse(word(i), recipe_.file, recipe_.line); }
  int number(int i) const {
    bool ok = false;
    const int v = word(i).toInt(&ok);
    if (!ok) Fail("argument " + std::to_string(i + 1) + " must be a whole number");
    return v;
  }
  int number(int i, int fallback) const { return i < count() ? number(i) : fallback; }
  double real(int i) const {
    bool ok = false;
    const double v = word(i).toDouble(&ok);
    if (!ok) Fail("argument " + std::to_string(i + 1) + " must be a number");
    return v;
  }
  bool flag(const QString& name) const { return words_.indexOf(name, 1) > 0; }
  [[noreturn]] void Fail(const std::string& what) const {
    throw SourceError(recipe_.file.toStdString(), recipe_.line,
                      recipe_.key.toStdString() + ": " + words_[0].toStdString() + ": " + what);
  }

 private:
  void Need(int i) const {
    if (i >= count()) Fail("needs at least " + std::to_string(i + 1) + " arguments");
  }
  const QStringList& words_;
  const Recipe& recipe_;
  const Palette& palette_;
};

void Put(QImage& img, int x, int y, QRgb c) {
  if (x >= 0 && y >= 0 && x < img.width() && y < img.height()) img.setPixel(x, y, c);
}

bool Opaque(const QImage& img, int x, int y) {
  return x >= 0 && y >= 0 && x < img.width() && y < img.height() && qAlpha(img.pixel(x, y)) > 0;
}

void Stamp(QImage& target, const QImage& picture, int dx, int dy) {
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) {
      const QRgb c = picture.pixel(x, y);
      if (qAlpha(c) > 0) Put(target, dx + x, dy + y, c);
    }
}

// Rectangular bricks or stones with mortar below and to the right of each, lit from the
// top left like everything else in the world.
void Masonry(QImage& img, QRgb face, QRgb mortar, QRgb light, QRgb dark, int w, int h,
             int offset, int seed) {
  for (int y = 0; y < img.height(); ++y) {
    const int row = y / h;
    const int shift = (row % 2) * offset;
    for (int x = 0; x < img.width(); ++x) {
      const int bx = ((x + shift) % w + w) % w;
      const int by = y % h;
      QRgb c = face;
      if (bx == w - 1 || by == h - 1) c = mortar;
      else if (by == 0 || bx == 0) c = light;
      else if (by == h - 2 || bx == w - 2) c = dark;
      else if (seed != 0 && Unit(x, y, seed) < 0.06) c = Unit(x, y, seed + 1) < 0.5 ? light : dark;
      img.setPixel(x, y, c);
    }
  }
}

// Layered rock: smooth noise split into colour bands, with an embossed rim where the surface
// faces the light (top left) or turns away from it.
void Rock(QImage& img, const std::vector<QRgb>& bands, QRgb light, QRgb shadow, int scale,
          int seed) {
  const int period = 32;
  auto n = [&](int x, int y) {
    return 0.7 * TiledNoise(x, y, scale, period, seed) +
           0.3 * TiledNoise(x, y, std::max(2, scale / 2), period, seed + 7);
  };
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const double v = n(x, y);
      const double slope = v - n(x - 1, y - 1);
      int band = std::clamp(static_cast<int>(v * bands.size()), 0,
                            static_cast<int>(bands.size()) - 1);
      QRgb c = bands[band];
      if (slope > 0.045) c = light;
      else if (slope < -0.045) c = shadow;
      img.setPixel(x, y, c);
    }
}

// Leaves in clumps: a dark mass with scattered leaves, each lit on its upper left. Leaves
// that cross the edge wrap round, so the tile joins its copies.
void Foliage(QImage& img, QRgb light, QRgb mid, QRgb dark, int seed) {
  img.fill(dark);
  constexpr int kLeaves = 46;
  for (int i = 0; i < kLeaves; ++i) {
    const int cx = static_cast<int>(Unit(i, 1, seed) * 32);
    const int cy = static_cast<int>(Unit(i, 2, seed) * 32);
    const bool wide = Unit(i, 3, seed) < 0.5;
    const int rx = wide ? 3 : 2, ry = wide ? 2 : 3;
    for (int y = -ry; y <= ry; ++y)
      for (int x = -rx; x <= rx; ++x) {
        const double d = static_cast<double>(x * x) / (rx * rx) + static_cast<double>(y * y) / (ry * ry);
        if (d > 1.0) continue;
        const QRgb c = (x + y <= -rx + 1 && d > 0.25) ? light : mid;
        const int px = ((cx + x) % 32 + 32) % 32, py = ((cy + y) % 32 + 32) % 32;
        if (px < img.width() && py < img.height()) img.setPixel(px, py, c);
      }
  }
}

void Waves(QImage& img, QRgb base, QRgb light, int phase, int spacing) {
  img.fill(base);
  for (int row = 0; row * spacing < img.height() + spacing; ++row)
    for (int x = 0; x < img.width(); ++x) {
      const double t = (x + phase + row * 5) * 2 * std::numbers::pi / 16.0;
      const int y = row * spacing + spacing / 2 + static_cast<int>(std::lround(1.2 * std::sin(t)));
      if (((x + phase + row * 7) / 5) % 3 == 2) continue;
      Put(img, x, ((y % img.height()) + img.height()) % img.height(), light);
    }
}

// Draws the quarter disc of `picture` that lies within `radius` of one corner.
void Inset(QImage& img, const QImage& picture, const QString& corner, int radius) {
  const int w = img.width(), h = img.height();
  const int cx = corner.contains(u'r') ? w : 0;
  const int cy = corner.contains(u'b') ? h : 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
      if (dx * dx + dy * dy <= radius * radius) img.setPixel(x, y, picture.pixel(x, y));
    }
}

}  // namespace

void CellPainter::Paint(QImage& target, const Recipe& recipe) const {
  for (const QString& layer : recipe.layers)
    Layer(target, layer.split(u' ', Qt::SkipEmptyParts), recipe);
}

void CellPainter::Layer(QImage& img, const QStringList& words, const Recipe& recipe) const {
  const Args a(words, recipe, palette_);
  const QString& name = words[0];
  const int w = img.width(), h = img.height();

  if (name == u"fill") {
    img.fill(a.colour(0));
  } else if (name == u"clear") {
    img.fill(Qt::transparent);
  } else if (name == u"rect") {
    const QRgb c = a.colour(0);
    for (int y = a.number(2); y < a.number(2) + a.number(4); ++y)
      for (int x = a.number(1); x < a.number(1) + a.number(3); ++x) Put(img, x, y, c);
  } else if (name == u"line") {
    QPainter p(&img);
    p.setPen(QColor::fromRgba(a.colour(0)));
    p.drawLine(a.number(1), a.number(2), a.number(3), a.number(4));
  } else if (name == u"disc") {
    const QRgb c = a.colour(0);
    const int cx = a.number(1), cy = a.number(2), r = a.number(3);
    for (int y = cy - r; y <= cy + r; ++y)
      for (int x = cx - r; x <= cx + r; ++x)
        if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r + r) Put(img, x, y, c);
  } else if (name == u"noise") {
    const QRgb c = a.colour(0);
    const double density = a.real(1);
    const int seed = a.number(2, 1);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (Unit(x, y, seed) < density) img.setPixel(x, y, c);
  } else if (name == u"dither") {
    // A Bayer-ordered blend of two colours over rows y0..y1, for gentle gradients.
    static constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    const QRgb from = a.colour(0), to = a.colour(1);
    const int y0 = a.number(2), y1 = a.number(3);
    for (int y = std::max(0, y0); y <= std::min(h - 1, y1); ++y) {
      const double t = y1 == y0 ? 1.0 : (y - y0 + 0.5) / (y1 - y0 + 1);
      for (int x = 0; x < w; ++x)
        img.setPixel(x, y, (kBayer[y % 4][x % 4] + 0.5) / 16.0 < t ? to : from);
    }
  } else if (name == u"bricks") {
    Masonry(img, a.colour(0), a.colour(1), a.colour(2), a.colour(3), a.number(4, 16),
            a.number(5, 8), a.number(6, a.number(4, 16) / 2), a.number(7, 0));
  } else if (name == u"rock") {
    // rock SCALE SEED LIGHT SHADOW BAND...
    std::vector<QRgb> bands;
    for (int i = 4; i < a.count(); ++i) bands.push_back(a.colour(i));
    if (bands.empty()) a.Fail("needs: scale seed light shadow band...");
    Rock(img, bands, a.colour(2), a.colour(3), a.number(0), a.number(1));
  } else if (name == u"foliage") {
    Foliage(img, a.colour(0), a.colour(1), a.colour(2), a.number(3, 1));
  } else if (name == u"waves") {
    Waves(img, a.colour(0), a.colour(1), a.number(2, 0), a.number(3, 8));
  } else if (name == u"fringe") {
    // A ragged edge hanging from row y: grass over earth, snow over rock, moss.
    const QRgb c = a.colour(0);
    const int top = a.number(1), most = a.number(2), seed = a.number(3, 1);
    for (int x = 0; x < w; ++x) {
      const int length = static_cast<int>(Unit(x, 0, seed) * (most + 1));
      for (int y = top; y < top + length; ++y) Put(img, x, y, c);
    }
  } else if (name == u"streaks") {
    // Falling water: light streaks that move down by `phase` pixels per frame.
    const QRgb base = a.colour(0), light = a.colour(1);
    const int phase = a.number(2), seed = a.number(3, 1);
    for (int x = 0; x < w; ++x) {
      const int offset = static_cast<int>(Unit(x / 2, 0, seed) * 16);
      for (int y = 0; y < h; ++y)
        img.setPixel(x, y, ((y - phase + offset) % 16 + 16) % 16 < 3 ? light : base);
    }
  } else if (name == u"grid") {
    const QString grid = a.word(0);
    if (!grids_.has(grid)) a.Fail("no grid named '" + grid.toStdString() + "'");
    QImage picture = grids_.grid(grid);
    if (a.flag(QStringLiteral("flipx"))) picture = picture.mirrored(true, false);
    if (a.flag(QStringLiteral("flipy"))) picture = picture.mirrored(false, true);
    int x = (w - picture.width()) / 2, y = (h - picture.height()) / 2;
    if (a.count() >= 3 && !a.word(1).at(0).isLetter()) {
      x = a.number(1);
      y = a.number(2);
    }
    Stamp(img, picture, x, y);
  } else if (name == u"tile" || name == u"cell" || name == u"sprite") {
    const QImage picture = lookup_(name, a.number(0));
    if (picture.isNull()) a.Fail(name.toStdString() + " " + a.word(0).toStdString() +
                                 " is not drawn yet (order the recipes)");
    Stamp(img, picture, 0, 0);
  } else if (name == u"inset") {
    const QImage picture = lookup_(QStringLiteral("tile"), a.number(0));
    if (picture.isNull()) a.Fail("tile " + a.word(0).toStdString() + " is not drawn yet");
    Inset(img, picture, a.word(1), a.number(2));
  } else if (name == u"bevel") {
    const QRgb light = a.colour(0), dark = a.colour(1);
    for (int i = 0; i < w; ++i) {
      img.setPixel(i, 0, light);
      img.setPixel(i, h - 1, dark);
    }
    for (int j = 1; j < h - 1; ++j) {
      img.setPixel(0, j, light);
      img.setPixel(w - 1, j, dark);
    }
  } else if (name == u"mirror") {
    img = img.mirrored(true, false);
  } else if (name == u"flip") {
    img = img.mirrored(false, true);
  } else if (name == u"replace") {
    const QRgb from = a.colour(0), to = a.colour(1);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (img.pixel(x, y) == from) img.setPixel(x, y, to);
  } else if (name == u"scroll") {
    // Moves the pixels of a rectangle sideways by dx, wrapping round: belts in motion.
    const int dx = a.number(0), rx = a.number(1), ry = a.number(2), rw = a.number(3),
              rh = a.number(4);
    const QImage copy = img.copy();
    for (int y = ry; y < ry + rh; ++y)
      for (int x = rx; x < rx + rw; ++x) {
        const int sx = rx + (((x - rx - dx) % rw) + rw) % rw;
        Put(img, x, y, copy.pixel(sx, y));
      }
  } else if (name == u"outline") {
    const QRgb c = a.colour(0);
    const QImage copy = img.copy();
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (!Opaque(copy, x, y) && (Opaque(copy, x - 1, y) || Opaque(copy, x + 1, y) ||
                                    Opaque(copy, x, y - 1) || Opaque(copy, x, y + 1)))
          img.setPixel(x, y, c);
  } else if (name == u"text") {
    // Crisp, unsmoothed lettering in the dialog's face.
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(a.number(1));
    font.setBold(true);
    font.setStyleStrategy(QFont::NoAntialias);
    QPainter p(&img);
    p.setFont(font);
    p.setPen(QColor::fromRgba(a.colour(0)));
    p.drawText(QRect(0, a.number(2), w, h), Qt::AlignHCenter | Qt::AlignVCenter,
               words.mid(4).join(u' '));
  } else {
    a.Fail("unknown layer");
  }
}

}  // namespace moriva::pictures
