#include "platform/Pictures.h"

#include <QDir>
#include <QImage>
#include <algorithm>

namespace moriva {

namespace {
constexpr const char* kPictureFolder = ":/pictures";
constexpr const char* kDebugTileSheet = ":/debug/tiles.png";
constexpr Pixel kRgbMask = 0x00FFFFFF;
}  // namespace

Surface LoadImageFile(const std::string& path) {
  QImage image(QString::fromStdString(path));
  if (image.isNull()) return {};
  image = image.convertToFormat(QImage::Format_RGB32);
  Surface surface(image.width(), image.height());
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    Pixel* out = surface.row(y);
    for (int x = 0; x < image.width(); ++x) out[x] = static_cast<Pixel>(line[x]) & kRgbMask;
  }
  return surface;
}

Surface LoadPicture(const std::string& name) {
  return LoadImageFile(std::string(kPictureFolder) + "/" + name + ".png");
}

Surface LoadDebugTileSheet() { return LoadImageFile(kDebugTileSheet); }

std::vector<std::string> PictureNames() {
  std::vector<std::string> names;
  const QStringList files =
      QDir(kPictureFolder).entryList({"*.png"}, QDir::Files, QDir::Name);
  for (const QString& file : files) names.push_back(file.chopped(4).toStdString());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace moriva
