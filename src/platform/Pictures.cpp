#include "platform/Pictures.h"

#include <QDir>
#include <QImage>
#include <algorithm>
#include <exception>
#include <future>
#include <map>
#include <mutex>
#include <thread>

namespace moriva {

namespace {
constexpr const char* kPictureFolder = ":/pictures";
constexpr const char* kDebugTileSheet = ":/debug/tiles.png";
constexpr Pixel kRgbMask = 0x00FFFFFF;

Surface DecodePicture(const std::string& name) {
  return LoadImageFile(std::string(kPictureFolder) + "/" + name + ".png");
}

// The pictures the worker has taken on, each ready once its future is.
struct PictureWorker {
  std::mutex mutex;
  std::map<std::string, std::future<Surface>> pending;
  std::thread thread;
  ~PictureWorker() {
    if (thread.joinable()) thread.join();
  }
};

PictureWorker& Worker() {
  static PictureWorker worker;
  return worker;
}
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
  std::future<Surface> decoded;
  {
    PictureWorker& worker = Worker();
    const std::lock_guard<std::mutex> lock(worker.mutex);
    if (const auto it = worker.pending.find(name); it != worker.pending.end()) {
      decoded = std::move(it->second);
      worker.pending.erase(it);
    }
  }
  return decoded.valid() ? decoded.get() : DecodePicture(name);
}

void StartDecodingPictures(const std::vector<std::string>& names) {
  PictureWorker& worker = Worker();
  const std::lock_guard<std::mutex> lock(worker.mutex);
  if (worker.thread.joinable()) return;
  std::vector<std::promise<Surface>> promises(names.size());
  for (std::size_t i = 0; i < names.size(); ++i) worker.pending.emplace(names[i], promises[i].get_future());
  worker.thread = std::thread([names, promises = std::move(promises)]() mutable {
    for (std::size_t i = 0; i < names.size(); ++i) {
      try {
        promises[i].set_value(DecodePicture(names[i]));
      } catch (...) {
        promises[i].set_exception(std::current_exception());
      }
    }
  });
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
