#include "world/MapFile.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "platform/ProgramFolder.h"

namespace moriva {

namespace {

QString ToQt(const std::string& path) { return QString::fromStdString(path); }

std::string Describe(const char* what, const std::string& path, const QString& why) {
  return std::string(what) + " " + path + ": " + why.toStdString();
}

void Report(const MapProgress& progress, int x) {
  if (progress && x % kMapProgressEvery == 0) progress(MapProgressText(x));
}

}  // namespace

std::string MapFilePath(const std::string& folder) { return JoinProgramPath(folder, kMapFileName); }

std::string MapProgressText(int x) { return std::to_string(x) + "/240)"; }

IoResult LoadMap(const std::string& path, MapGrid& map, const MapProgress& progress) {
  map.clear();
  QFile file(ToQt(path));
  if (!file.exists()) {
    // A missing world is an empty one; the empty file marks where the editor will save it.
    if (!file.open(QIODevice::WriteOnly))
      return IoResult::Failure(Describe("cannot create", path, file.errorString()));
    file.close();
  }
  // Read-only is enough to load: a world on a write-protected medium still plays.
  if (!file.open(QIODevice::ReadOnly))
    return IoResult::Failure(Describe("cannot open", path, file.errorString()));
  const QByteArray bytes = file.read(kMapFileBytes);
  if (file.error() != QFileDevice::NoError)
    return IoResult::Failure(Describe("cannot read", path, file.errorString()));

  const auto size = static_cast<int>(bytes.size());
  for (int x = 0; x < kWorldTiles; ++x) {
    for (int y = 0; y < kWorldTiles; ++y) {
      const int offset = x * kWorldTiles + y;
      if (offset < size) map(x, y) = static_cast<std::uint8_t>(bytes[offset]);
    }
    Report(progress, x);
  }
  return IoResult::Success();
}

IoResult SaveMap(const std::string& path, const MapGrid& map, const MapProgress& progress) {
  // Whatever a longer file holds beyond the world belongs to someone else: keep it.
  QByteArray tail;
  {
    QFile old(ToQt(path));
    if (old.exists() && old.size() > kMapFileBytes) {
      if (!old.open(QIODevice::ReadOnly) || !old.seek(kMapFileBytes))
        return IoResult::Failure(Describe("cannot read", path, old.errorString()));
      tail = old.readAll();
      if (old.error() != QFileDevice::NoError)
        return IoResult::Failure(Describe("cannot read", path, old.errorString()));
    }
  }

  QByteArray bytes(kMapFileBytes, '\0');
  for (int x = 0; x < kWorldTiles; ++x) {
    for (int y = 0; y < kWorldTiles; ++y)
      bytes[x * kWorldTiles + y] = static_cast<char>(map(x, y));
    Report(progress, x);
  }
  bytes.append(tail);

  QSaveFile file(ToQt(path));
  if (!file.open(QIODevice::WriteOnly))
    return IoResult::Failure(Describe("cannot write", path, file.errorString()));
  if (file.write(bytes) != bytes.size()) {
    const QString why = file.errorString();
    file.cancelWriting();
    return IoResult::Failure(Describe("cannot write", path, why));
  }
  if (!file.commit()) return IoResult::Failure(Describe("cannot write", path, file.errorString()));
  return IoResult::Success();
}

}  // namespace moriva
