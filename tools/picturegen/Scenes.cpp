#include "Scenes.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <stdexcept>

#include "Noise.h"

namespace moriva::pictures {

namespace {

constexpr int kSceneWidth = 514;
constexpr int kSceneHeight = 346;
constexpr int kDialogWidth = 256;
constexpr int kDialogHeight = 160;

constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

// Where the title's labels stand: the sky there stays plain so their text reads.
constexpr QRect kTitleLabels[] = {
    {392, 168, 107, 21}, {272, 208, 134, 29}, {272, 248, 136, 29}, {273, 288, 71, 29},
    {168, 152, 208, 39},
};

bool UnderTitleLabel(int x, int y) {
  for (const QRect& r : kTitleLabels)
    if (r.adjusted(-2, -2, 2, 2).contains(x, y)) return true;
  return false;
}

bool Dither(int x, int y, double t) { return (kBayer[y & 3][x & 3] + 0.5) / 16.0 < t; }

// Vertical bands from one palette colour to the next, blended by ordered dithering so the
// picture keeps to the palette.
void Gradient(QImage& img, const QRect& area, const std::vector<QRgb>& stops) {
  const int bands = static_cast<int>(stops.size()) - 1;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    const double t = bands * (y - area.top() + 0.5) / area.height();
    const int i = std::min(bands - 1, static_cast<int>(t));
    const double f = t - i;
    for (int x = area.left(); x <= area.right(); ++x)
      img.setPixel(x, y, Dither(x, y, f) ? stops[i + 1] : stops[i]);
  }
}

void Stamp(QImage& img, const QImage& picture, int dx, int dy) {
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) {
      const QRgb c = picture.pixel(x, y);
      if (qAlpha(c) > 0 && img.rect().contains(dx + x, dy + y)) img.setPixel(dx + x, dy + y, c);
    }
}

// Lettering drawn without smoothing, then ringed with the outline colour and lit from the
// top left, in the way of the figures.
void Lettering(QImage& img, const QString& text, int pixelSize, QPoint at, QRgb top,
               QRgb bottom, QRgb outline, QRgb shadow, bool mincho = false) {
  QImage layer(img.size(), QImage::Format_ARGB32);
  layer.fill(Qt::transparent);
  {
    QFont font(mincho ? QStringLiteral("ＭＳ Ｐ明朝") : QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    font.setStyleStrategy(QFont::NoAntialias);
    QPainter p(&layer);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(at, text);
  }
  QRect box;
  for (int y = 0; y < layer.height(); ++y)
    for (int x = 0; x < layer.width(); ++x)
      if (qAlpha(layer.pixel(x, y)) > 0) box |= QRect(x, y, 1, 1);
  if (box.isEmpty()) return;
  auto ink = [&](int x, int y) { return layer.rect().contains(x, y) && qAlpha(layer.pixel(x, y)) > 0; };
  for (int y = box.top() - 3; y <= box.bottom() + 3; ++y)
    for (int x = box.left() - 3; x <= box.right() + 3; ++x) {
      if (!img.rect().contains(x, y)) continue;
      if (ink(x, y)) {
        const double t = static_cast<double>(y - box.top()) / std::max(1, box.height() - 1);
        img.setPixel(x, y, Dither(x, y, t) ? bottom : top);
      } else if (ink(x - 1, y) || ink(x + 1, y) || ink(x, y - 1) || ink(x, y + 1) ||
                 ink(x - 1, y - 1) || ink(x + 1, y - 1) || ink(x - 1, y + 1) ||
                 ink(x + 1, y + 1)) {
        img.setPixel(x, y, outline);
      } else if (ink(x - 2, y - 2) || ink(x - 1, y - 2) || ink(x - 2, y - 1)) {
        img.setPixel(x, y, shadow);
      }
    }
}

void Frame(QImage& img, const QRect& r, QRgb outer, QRgb light, QRgb dark, int width) {
  for (int i = 0; i < width; ++i) {
    const QRect ring = r.adjusted(-i - 1, -i - 1, i + 1, i + 1);
    const QRgb top = i == width - 1 ? outer : dark;   // sunk in: shade on the lit side
    const QRgb bottom = i == width - 1 ? outer : light;
    for (int x = ring.left(); x <= ring.right(); ++x) {
      img.setPixel(x, ring.top(), top);
      img.setPixel(x, ring.bottom(), bottom);
    }
    for (int y = ring.top(); y <= ring.bottom(); ++y) {
      img.setPixel(ring.left(), y, top);
      img.setPixel(ring.right(), y, bottom);
    }
  }
}

// The near hill where ポルミ sits: a rise on the left that flattens out under the menu.
int NearHill(int x) {
  return 322 - static_cast<int>(58 * std::exp(-std::pow((x - 110) / 120.0, 2))) +
         static_cast<int>(2 * std::sin(x / 17.0));
}

}  // namespace

const QImage& Scenes::Grid(const char* name) const {
  if (!grids_.has(QString::fromLatin1(name)))
    throw std::runtime_error(std::string("the scenes need the grid '") + name + "'");
  return grids_.grid(QString::fromLatin1(name));
}

QImage Scenes::Title() const {
  QImage img(kSceneWidth, kSceneHeight, QImage::Format_RGB32);
  // The night sky over the hills, brightening toward the horizon.
  Gradient(img, img.rect(), {C('D'), C('D'), C('d'), C('u')});
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < kSceneWidth; ++x) {
      const double v = Unit(x, y, 77);
      if (v < 0.004 && !UnderTitleLabel(x, y)) img.setPixel(x, y, v < 0.001 ? C('W') : C('6'));
    }
  for (const QPoint star : {QPoint(40, 200), QPoint(470, 150), QPoint(240, 40), QPoint(150, 28),
                            QPoint(455, 250), QPoint(28, 120)}) {
    img.setPixel(star, C('W'));
    for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)})
      img.setPixel(star + d, C('6'));
  }
  // The full moon, lit from the top left, with a faint halo.
  const QPoint moon(100, 96);
  const int radius = 46;
  for (int y = moon.y() - radius - 8; y <= moon.y() + radius + 8; ++y)
    for (int x = moon.x() - radius - 8; x <= moon.x() + radius + 8; ++x) {
      const double d = std::hypot(x + 0.5 - moon.x(), y + 0.5 - moon.y());
      if (d <= radius) {
        const double shade = std::hypot(x - moon.x() + 14.0, y - moon.y() + 14.0) / (radius * 1.6);
        QRgb c = Dither(x, y, shade) ? C('Y') : C('J');
        const double crater = TiledNoise(x, y, 12, 384, 5);
        if (crater > 0.74) c = Dither(x, y, (crater - 0.74) * 4) ? C('Y') : c;
        img.setPixel(x, y, c);
      } else if (d <= radius + 8 && Dither(x, y, 0.45 * (radius + 8 - d) / 8)) {
        img.setPixel(x, y, C('u'));
      }
    }
  // Hills: a far one in night blue, a near one with grass where ポルミ sits.
  for (int x = 0; x < kSceneWidth; ++x) {
    const int far = 262 + static_cast<int>(14 * std::sin(x / 70.0) + 8 * std::sin(x / 23.0 + 1));
    const int nearY = NearHill(x);
    for (int y = far; y < kSceneHeight; ++y) img.setPixel(x, y, Dither(x, y, 0.3) ? C('d') : C('k'));
    for (int y = nearY; y < kSceneHeight; ++y) {
      QRgb c = C('H');
      if (y == nearY) c = C('G');
      else if (y == nearY + 1 && Dither(x, y, 0.5)) c = C('G');
      img.setPixel(x, y, c);
    }
  }
  // Pampas grass and the dumplings, the two goods of a moon viewing.
  for (const int x : {22, 46, 178, 200, 448, 476})
    Stamp(img, Grid("susuki"), x, NearHill(x + 7) - Grid("susuki").height() + 2);
  Stamp(img, Grid("dango_stand"), 140, NearHill(147) - Grid("dango_stand").height() + 1);
  // Turned toward the moon.
  const QImage hero = book_.picture(QStringLiteral("sprite"), 34).mirrored(true, false);
  Stamp(img, hero, 98, NearHill(114) - 32 + 1);
  // The name of the game and of its hero's story.
  Lettering(img, QStringLiteral("Moriva"), 64, QPoint(214, 92), C('J'), C('l'), C('K'), C('V'));
  Lettering(img, QStringLiteral("ポルミのおつきみ"), 20, QPoint(262, 128), C('W'), C('7'), C('K'),
            C('k'));
  return img;
}

QImage Scenes::Background() const {
  QImage img(kSceneWidth, kSceneHeight, QImage::Format_RGB32);
  // The whole window is a dark castle wall; the view and the panel are set into it.
  const QImage wall = book_.picture(QStringLiteral("tile"), 107);
  {
    QPainter p(&img);
    for (int y = 0; y < kSceneHeight; y += 32)
      for (int x = 0; x < kSceneWidth; x += 32) p.drawImage(x, y, wall);
  }
  const QRect view(8, 4, 320, 320);
  Frame(img, view, C('K'), C('5'), C('1'), 3);
  for (int y = view.top(); y <= view.bottom(); ++y)
    for (int x = view.left(); x <= view.right(); ++x) img.setPixel(x, y, C('Z'));

  // The status panel: a night-blue board with a gold rim.
  const QRect panel(334, 4, 174, 334);
  for (int y = panel.top(); y <= panel.bottom(); ++y)
    for (int x = panel.left(); x <= panel.right(); ++x)
      img.setPixel(x, y, Dither(x, y, static_cast<double>(y - panel.top()) / panel.height()) ? C('D') : C('d'));
  Frame(img, panel, C('K'), C('Y'), C('j'), 2);
  Lettering(img, QStringLiteral("Moriva"), 28, QPoint(376, 40), C('J'), C('L'), C('K'), C('k'));
  Stamp(img, book_.picture(QStringLiteral("icon"), 0), 342, 12);

  // The block map: 5 x 5 sunk squares, one per block, where the game paints its squares.
  Lettering(img, QStringLiteral("ちず"), 12, QPoint(342, 104), C('7'), C('6'), C('K'), C('k'));
  for (int r = 0; r < 5; ++r)
    for (int c = 0; c < 5; ++c) {
      const QRect square(342 + 24 * c, 113 + 24 * r, 18, 18);
      for (int y = square.top(); y <= square.bottom(); ++y)
        for (int x = square.left(); x <= square.right(); ++x) img.setPixel(x, y, C('D'));
      Frame(img, square, C('u'), C('3'), C('K'), 1);
    }
  // The item slots.
  Lettering(img, QStringLiteral("もちもの"), 12, QPoint(342, 256), C('7'), C('6'), C('K'), C('k'));
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 5; ++c) {
      const QRect slot(340 + 32 * c + 1, 262 + 32 * r + 1, 30, 30);
      for (int y = slot.top(); y <= slot.bottom(); ++y)
        for (int x = slot.left(); x <= slot.right(); ++x) img.setPixel(x, y, C('D'));
      Frame(img, slot, C('D'), C('u'), C('K'), 1);
    }
  return img;
}

QImage Scenes::Dialog() const {
  QImage img(kDialogWidth, kDialogHeight, QImage::Format_RGB32);
  // A soft wash from pink through lavender to mint, running down and to the right.
  const std::vector<QRgb> stops{C('m'), C('M'), C('z')};
  for (int y = 0; y < kDialogHeight; ++y)
    for (int x = 0; x < kDialogWidth; ++x) {
      const double t = 2.0 * (x + 1.5 * y) / (kDialogWidth + 1.5 * kDialogHeight);
      const int i = std::min(1, static_cast<int>(t));
      img.setPixel(x, y, Dither(x, y, t - i) ? stops[i + 1] : stops[i]);
    }
  // Little turquoise ポルミ dotted in offset rows.
  const QImage& small = Grid("porumi_silhouette");
  for (int row = 0; row * 20 < kDialogHeight + 20; ++row)
    for (int col = -1; col * 32 < kDialogWidth + 32; ++col)
      Stamp(img, small, col * 32 + (row % 2) * 16 + 6, row * 20 + 3);
  return img;
}

}  // namespace moriva::pictures
