// moriva-tool assets export

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <cstring>

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
constexpr int kLabel = 14;  // room for the 2x pixel font
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
constexpr QRgb kInk = 0xFF000000;

// A small pixel font for the labels, so the contact sheet needs no font services and looks
// the same everywhere. Each glyph is 5 rows; '#' is ink.
struct Glyph {
  char c;
  const char* rows[5];
};
constexpr Glyph kGlyphs[] = {
    {'0', {"###", "#.#", "#.#", "#.#", "###"}}, {'1', {".#.", "##.", ".#.", ".#.", "###"}},
    {'2', {"###", "..#", "###", "#..", "###"}}, {'3', {"###", "..#", ".##", "..#", "###"}},
    {'4', {"#.#", "#.#", "###", "..#", "..#"}}, {'5', {"###", "#..", "###", "..#", "###"}},
    {'6', {"###", "#..", "###", "#.#", "###"}}, {'7', {"###", "..#", ".#.", ".#.", ".#."}},
    {'8', {"###", "#.#", "###", "#.#", "###"}}, {'9', {"###", "#.#", "###", "..#", "###"}},
    {'a', {"...", "##.", "..#", "###", "###"}}, {'c', {"...", "###", "#..", "#..", "###"}},
    {'d', {"..#", "..#", "###", "#.#", "###"}}, {'e', {"...", "###", "###", "#..", "###"}},
    {'h', {"#..", "#..", "###", "#.#", "#.#"}}, {'i', {".#.", "...", ".#.", ".#.", ".#."}},
    {'k', {"#..", "#.#", "##.", "#.#", "#.#"}}, {'l', {"#..", "#..", "#..", "#..", "##."}},
    {'m', {".....", "##.#.", "#.#.#", "#.#.#", "#.#.#"}}, {'n', {"...", "##.", "#.#", "#.#", "#.#"}},
    {'o', {"...", "###", "#.#", "#.#", "###"}}, {'p', {"...", "###", "#.#", "###", "#.."}},
    {'r', {"...", "#.#", "##.", "#..", "#.."}}, {'s', {"...", "###", "##.", "..#", "###"}},
    {'t', {".#.", "###", ".#.", ".#.", ".##"}}, {'(', {".#", "#.", "#.", "#.", ".#"}},
    {')', {"#.", ".#", ".#", ".#", "#."}},      {',', {"..", "..", "..", ".#", "#."}},
    {' ', {"..", "..", "..", "..", ".."}},
};

const Glyph* FindGlyph(char c) {
  for (const Glyph& g : kGlyphs)
    if (g.c == c) return &g;
  return nullptr;
}

int TextWidth(const std::string& text, int scale) {
  int width = 0;
  for (char c : text)
    if (const Glyph* g = FindGlyph(c)) width += (static_cast<int>(std::strlen(g->rows[0])) + 1) * scale;
  return width > 0 ? width - scale : 0;
}

void DrawText(QImage& img, int x, int y, const std::string& text, int scale) {
  for (char c : text) {
    const Glyph* g = FindGlyph(c);
    if (!g) continue;
    const int w = static_cast<int>(std::strlen(g->rows[0]));
    for (int row = 0; row < 5; ++row)
      for (int col = 0; col < w; ++col)
        if (g->rows[row][col] == '#')
          for (int dy = 0; dy < scale; ++dy)
            for (int dx = 0; dx < scale; ++dx)
              if (img.rect().contains(x + col * scale + dx, y + row * scale + dy))
                img.setPixel(x + col * scale + dx, y + row * scale + dy, kInk);
    x += (w + 1) * scale;
  }
}

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

std::string SpriteCellLabel(int cell) {
  const int row = cell / kColumns, column = cell % kColumns;
  if (row < kSpriteRows) {
    const int sprite = (row / 2) * kColumns + column;
    return (row % 2 == 0 ? "spr " : "mask ") + std::to_string(sprite);
  }
  return "cell " + std::to_string(cell);
}

std::string TileLabel(int code) { return std::to_string(code); }

void DrawSheet(QImage& img, const QImage& sheet, int left, const std::string& heading,
               std::string (*label)(int)) {
  DrawText(img, left, kMargin, heading, 2);
  QPainter p(&img);
  for (int cell = 0; cell < kColumns * kRows; ++cell) {
    const int x = left + (cell % kColumns) * kPitchX;
    const int y = kMargin + kHeading + (cell / kColumns) * kPitchY;
    const QRect picture(x, y, kCell * kScale, kCell * kScale);
    p.fillRect(picture.adjusted(-1, -1, 1, 1 + kLabel), QColor::fromRgba(kSlotRim));
    p.drawImage(picture, sheet.copy((cell % kColumns) * kCell, (cell / kColumns) * kCell, kCell,
                                    kCell));
    p.fillRect(QRect(x, picture.bottom() + 1, picture.width(), kLabel),
               QColor::fromRgba(kLabelStrip));
  }
  p.end();
  for (int cell = 0; cell < kColumns * kRows; ++cell) {
    const int x = left + (cell % kColumns) * kPitchX;
    const int y = kMargin + kHeading + (cell / kColumns) * kPitchY + kCell * kScale;
    const std::string text = label(cell);
    DrawText(img, x + (kCell * kScale - TextWidth(text, 2)) / 2, y + 2, text, 2);
  }
}

QImage ContactSheet() {
  const QImage tiles(QString::fromLatin1(kPictureResources) + "tiles.png");
  const QImage sprites(QString::fromLatin1(kPictureResources) + "sprites.png");
  if (tiles.isNull() || sprites.isNull()) throw ToolError("the build holds no tile or sprite sheet");
  QImage sheet(2 * kMargin + 2 * kSheetWidth + kMargin,
               2 * kMargin + kHeading + kRows * kPitchY, QImage::Format_RGB32);
  sheet.fill(kNeutral);
  DrawSheet(sheet, tiles.convertToFormat(QImage::Format_RGB32), kMargin, "tiles (code)",
            &TileLabel);
  DrawSheet(sheet, sprites.convertToFormat(QImage::Format_RGB32), 2 * kMargin + kSheetWidth,
            "sprites (sprite, mask, sheet cell)", &SpriteCellLabel);
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
  for (const std::string& name : PictureNames()) ExportPicture(name, dir, out);
  ExportContactSheet(dir, out);
  return kSuccess;
}

const bool kRegistered = RegisterCommandGroup({"assets", kExportUsage, [](const Arguments& args, std::ostream& out) {
  return RunOnlyCommand(args, out, "assets", "export", &Export);
}});

}  // namespace

}  // namespace moriva::tool
