// moriva-tool assets export

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QSaveFile>

#include "ToolSupport.h"
#include "platform/Pictures.h"

namespace moriva::tool {

namespace {

constexpr const char* kExportUsage = "assets export DIR";
constexpr const char* kPictureResources = ":/pictures/";

// The contact sheet: both sheets side by side, every cell twice its size in a slot of a
// neutral grey grid with its number below it.
constexpr int kCell = 32;
constexpr int kScale = 2;
constexpr int kColumns = 8;
constexpr int kRows = 24;
constexpr int kLabel = 14;
constexpr int kGap = 8;
constexpr int kPitchX = kCell * kScale + kGap;
constexpr int kPitchY = kCell * kScale + kLabel + kGap;
constexpr int kMargin = 16;
constexpr int kHeading = 24;
constexpr int kSheetWidth = kColumns * kPitchX;
constexpr int kSpriteRows = 10;  // rows 0..9 hold sprites above their masks
constexpr QRgb kNeutral = 0xFF808080;
constexpr QRgb kSlotRim = 0xFF5C5C5C;
constexpr QRgb kLabelStrip = 0xFFD4D4D4;

void WriteFile(const QString& file, const QByteArray& bytes) {
  QSaveFile out(file);
  if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
    throw ToolError(file.toStdString() + ": cannot write the picture");
}

// The embedded file as it is, so the tile sheet keeps its 8-bit palette.
void ExportPicture(const std::string& name, const QDir& dir, std::ostream& out) {
  QFile resource(QString::fromLatin1(kPictureResources) + QString::fromStdString(name) + ".png");
  if (!resource.open(QIODevice::ReadOnly)) throw ToolError(name + ": no such picture");
  const QString file = dir.filePath(QString::fromStdString(name) + ".png");
  WriteFile(file, resource.readAll());
  out << file.toStdString() << "\n";
}

QString SpriteCellLabel(int cell) {
  const int row = cell / kColumns, column = cell % kColumns;
  if (row < kSpriteRows) {
    const int sprite = (row / 2) * kColumns + column;
    return (row % 2 == 0 ? QStringLiteral("spr %1") : QStringLiteral("mask %1")).arg(sprite);
  }
  return QStringLiteral("cell %1").arg(cell);
}

void DrawSheet(QPainter& p, const QImage& sheet, int left, const QString& heading,
               QString (*label)(int)) {
  QFont bold(QStringLiteral("ＭＳ Ｐゴシック"));
  bold.setPixelSize(16);
  bold.setBold(true);
  p.setFont(bold);
  p.setPen(Qt::black);
  p.drawText(left, kMargin + 16, heading);
  QFont small(QStringLiteral("ＭＳ Ｐゴシック"));
  small.setPixelSize(11);
  p.setFont(small);
  for (int cell = 0; cell < kColumns * kRows; ++cell) {
    const int x = left + (cell % kColumns) * kPitchX;
    const int y = kMargin + kHeading + (cell / kColumns) * kPitchY;
    const QRect picture(x, y, kCell * kScale, kCell * kScale);
    p.fillRect(picture.adjusted(-1, -1, 1, 1 + kLabel), QColor::fromRgba(kSlotRim));
    p.drawImage(picture, sheet.copy((cell % kColumns) * kCell, (cell / kColumns) * kCell, kCell,
                                    kCell));
    const QRect strip(x, picture.bottom() + 1, picture.width(), kLabel);
    p.fillRect(strip, QColor::fromRgba(kLabelStrip));
    p.drawText(strip, Qt::AlignCenter, label(cell));
  }
}

QImage ContactSheet() {
  const QImage tiles(QString::fromLatin1(kPictureResources) + "tiles.png");
  const QImage sprites(QString::fromLatin1(kPictureResources) + "sprites.png");
  if (tiles.isNull() || sprites.isNull()) throw ToolError("the build holds no tile or sprite sheet");
  QImage sheet(2 * kMargin + 2 * kSheetWidth + kMargin,
               2 * kMargin + kHeading + kRows * kPitchY, QImage::Format_RGB32);
  sheet.fill(kNeutral);
  QPainter p(&sheet);
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);  // pixels stay square
  DrawSheet(p, tiles.convertToFormat(QImage::Format_RGB32), kMargin,
            QStringLiteral("tiles (code)"), [](int code) { return QString::number(code); });
  DrawSheet(p, sprites.convertToFormat(QImage::Format_RGB32), 2 * kMargin + kSheetWidth,
            QStringLiteral("sprites (sprite, mask, sheet cell)"), &SpriteCellLabel);
  return sheet;
}

void ExportContactSheet(const QDir& dir, std::ostream& out) {
  const QString file = dir.filePath(QStringLiteral("contact-sheet.png"));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!ContactSheet().save(&buffer, "PNG")) throw ToolError("cannot draw the contact sheet");
  WriteFile(file, bytes);
  out << file.toStdString() << "\n";
}

int Export(const Arguments& args, std::ostream& out) {
  ExpectArgumentCount(args, 2, kExportUsage);
  const QString path = QString::fromStdString(args[1]);
  if (!QDir().mkpath(path)) throw ToolError(args[1] + ": cannot create the folder");
  const QDir dir(path);
  // The design's Windows faces, as the windows substitute them.
  QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
  for (const std::string& name : PictureNames()) ExportPicture(name, dir, out);
  ExportContactSheet(dir, out);
  return kSuccess;
}

int RunAssets(const Arguments& args, std::ostream& out) {
  const std::string& command = Argument(args, 0, "assets command (export)");
  if (command == "export") return Export(args, out);
  throw ToolError("unknown assets command '" + command + "' (export)");
}

const bool kRegistered =
    RegisterCommandGroup({"assets", kExportUsage, &RunAssets, /*needsGui=*/true});

}  // namespace

}  // namespace moriva::tool
