// picturegen SOURCE_DIR OUTPUT_DIR: draws every picture of the game from the sources in
// SOURCE_DIR (palette.txt, *.grid, tiles.txt, sprites.txt, items.txt) into PNG files.

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <exception>

#include "GridLibrary.h"
#include "Palette.h"
#include "PictureBook.h"
#include "RecipeFile.h"
#include "Scenes.h"
#include "Sheets.h"

namespace {

using namespace moriva::pictures;

constexpr int kItems = 10;

void Save(const QImage& image, const QDir& out, const QString& name) {
  const QString path = out.filePath(name + QStringLiteral(".png"));
  if (!image.save(path, "PNG")) throw std::runtime_error("cannot write " + path.toStdString());
}

int Generate(const QDir& source, const QDir& out) {
  Palette palette;
  palette.Load(source.filePath(QStringLiteral("palette.txt")));
  GridLibrary grids(palette);
  for (const QString& file : source.entryList({QStringLiteral("*.grid")}, QDir::Files, QDir::Name))
    grids.Load(source.filePath(file));

  PictureBook book(palette, grids);
  for (const char* file : {"tiles.txt", "sprites.txt", "items.txt"})
    book.AddRecipes(ReadRecipes(source.filePath(QString::fromLatin1(file))));

  QHash<QRgb, QRgb> mapping;
  const QImage tiles = BuildTileSheet(book, &mapping);
  Save(tiles, out, QStringLiteral("tiles"));
  Save(BuildSpriteSheet(book, mapping), out, QStringLiteral("sprites"));
  for (int i = 0; i < kItems; ++i) {
    if (!book.has(QStringLiteral("item"), i))
      throw std::runtime_error("item " + std::to_string(i) + " has no recipe");
    Save(book.picture(QStringLiteral("item"), i).convertToFormat(QImage::Format_RGB32), out,
         QStringLiteral("item%1").arg(i));
  }
  if (!book.has(QStringLiteral("icon"), 0)) throw std::runtime_error("icon 0 has no recipe");
  Save(book.picture(QStringLiteral("icon"), 0), out, QStringLiteral("icon"));

  const Scenes scenes(palette, grids, book);
  Save(scenes.Title(), out, QStringLiteral("title"));
  Save(scenes.Background(), out, QStringLiteral("background"));
  Save(scenes.Dialog(), out, QStringLiteral("dialog"));
  std::printf("picturegen: %d colours, %d grids, tile sheet of %lld colours\n", palette.size(),
              grids.size(), static_cast<long long>(tiles.colorCount()));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: picturegen SOURCE_DIR OUTPUT_DIR\n");
    return 2;
  }
  // The design names Windows faces; the IPA faces stand in for them.
  QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
  QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("IPAPMincho"));
  const QDir source(QString::fromLocal8Bit(argv[1]));
  QDir out(QString::fromLocal8Bit(argv[2]));
  if (!out.mkpath(QStringLiteral("."))) {
    std::fprintf(stderr, "picturegen: cannot create %s\n", argv[2]);
    return 1;
  }
  try {
    return Generate(source, out);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "picturegen: %s\n", e.what());
    return 1;
  }
}
