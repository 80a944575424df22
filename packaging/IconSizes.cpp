// moriva-iconsizes ICON.png OUTDIR: writes the program's icon in the sizes desktops look for,
// as OUTDIR/<n>x<n>/apps/moriva.png. Whole multiples of the drawing keep its pixels sharp;
// the other sizes are filtered, since a pixel cannot be split evenly there.

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <cstdio>

namespace {
constexpr int kSizes[] = {16, 24, 32, 48, 64, 128, 256};
}

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: moriva-iconsizes ICON.png OUTDIR\n");
    return 2;
  }
  const QImage icon(QString::fromLocal8Bit(argv[1]));
  if (icon.isNull() || icon.width() != icon.height()) {
    std::fprintf(stderr, "moriva-iconsizes: %s is not a square picture\n", argv[1]);
    return 1;
  }
  for (int size : kSizes) {
    const bool whole = size % icon.width() == 0;
    const QImage scaled = icon.scaled(size, size, Qt::IgnoreAspectRatio,
                                      whole ? Qt::FastTransformation : Qt::SmoothTransformation);
    const QString folder = QString::fromLocal8Bit(argv[2]) + QString("/%1x%1/apps").arg(size);
    if (!QDir().mkpath(folder) || !scaled.save(folder + "/moriva.png")) {
      std::fprintf(stderr, "moriva-iconsizes: cannot write %s\n", qPrintable(folder));
      return 1;
    }
  }
  return 0;
}
