#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>

#include "platform/Pictures.h"
#include "support/TempFolder.h"

namespace moriva::pictures {
namespace {

struct ExportRun {
  int status = -1;
  QString out;
};

ExportRun Export(const std::string& dir) {
  QProcess tool;
  tool.start(QStringLiteral(MORIVA_TOOL),
             {QStringLiteral("assets"), QStringLiteral("export"), QString::fromStdString(dir)});
  tool.waitForFinished(60000);
  return {tool.exitCode(), QString::fromUtf8(tool.readAllStandardOutput())};
}

QByteArray Bytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(AssetsExport, WritesTheEmbeddedFilesUnchangedAndAContactSheet) {
  moriva::test::TempFolder folder;
  const std::string dir = folder.file("review");
  const ExportRun run = Export(dir);
  ASSERT_EQ(run.status, 0);
  const QString base = QString::fromStdString(dir) + u'/';
  for (const std::string& name : PictureNames()) {
    const QString file = base + QString::fromStdString(name) + ".png";
    EXPECT_TRUE(run.out.contains(file)) << name;
    EXPECT_EQ(Bytes(file), Bytes(":/pictures/" + QString::fromStdString(name) + ".png")) << name;
  }
  EXPECT_EQ(QImage(base + "tiles.png").format(), QImage::Format_Indexed8);

  const QImage sheet(base + "contact-sheet.png");
  ASSERT_FALSE(sheet.isNull());
  EXPECT_TRUE(run.out.endsWith(base + "contact-sheet.png\n"));
  // Tiles and sheet cells stand side by side, 24 rows of 2x cells with a label strip each.
  EXPECT_GE(sheet.width(), 2 * 8 * 64);
  EXPECT_GE(sheet.height(), 24 * (64 + 14));
  // Tile 33 (the red pool) appears enlarged: its pixel (0,0) fills a 2 x 2 square.
  const QImage tiles(":/pictures/tiles.png");
  const QRgb lava = tiles.pixel(1 * 32 + 10, 4 * 32 + 10);
  int found = 0;
  for (int y = 0; y + 1 < sheet.height(); ++y)
    for (int x = 0; x + 1 < sheet.width(); ++x)
      found += sheet.pixel(x, y) == lava;
  EXPECT_GT(found, 4 * 4);
}

}  // namespace
}  // namespace moriva::pictures
