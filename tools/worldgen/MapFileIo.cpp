#include "MapFileIo.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>

namespace moriva::worldgen {
namespace {

std::string WriteBytes(const std::string& path, const char* data, qint64 size) {
  QSaveFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly)) {
    return path + ": cannot write: " + file.errorString().toStdString();
  }
  if (file.write(data, size) != size || !file.commit()) {
    return path + ": cannot write: " + file.errorString().toStdString();
  }
  return {};
}

}  // namespace

std::string WriteMapFile(const WorldTiles& tiles, const std::string& path) {
  const auto& bytes = tiles.Bytes();
  return WriteBytes(path, reinterpret_cast<const char*>(bytes.data()),
                    static_cast<qint64>(bytes.size()));
}

std::string WriteTextFile(const std::string& path, const std::string& text) {
  return WriteBytes(path, text.data(), static_cast<qint64>(text.size()));
}

std::string ReadMapFile(const std::string& path, WorldTiles& tiles) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) {
    return path + ": cannot read: " + file.errorString().toStdString();
  }
  const QByteArray bytes = file.read(kMapFileBytes);
  if (bytes.size() < kMapFileBytes) {
    return path + ": " + std::to_string(bytes.size()) + " bytes, a map file has " +
           std::to_string(kMapFileBytes);
  }
  std::copy(bytes.begin(), bytes.end(), tiles.Bytes().begin());
  return {};
}

}  // namespace moriva::worldgen
