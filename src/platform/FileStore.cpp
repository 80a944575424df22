#include "platform/FileStore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace moriva {

namespace {

QString ToQt(const std::string& path) { return QString::fromStdString(path); }

IoResult Failed(const char* what, const std::string& path, const QString& why) {
  return IoResult::Failure(std::string(what) + " " + path + ": " + why.toStdString());
}

IoResult ReadFrom(QFile& file, const std::string& path, std::int64_t maxBytes, Bytes& out) {
  const QByteArray data = maxBytes >= 0 ? file.read(maxBytes) : file.readAll();
  if (file.error() != QFileDevice::NoError) return Failed("cannot read", path, file.errorString());
  out.assign(data.begin(), data.end());
  return IoResult::Success();
}

// A save killed while it wrote leaves its temporary file beside the real one, named as the
// file plus a dot and six random letters or digits. A temporary this old belongs to no save
// still writing, also not one of another instance of the program.
constexpr qint64 kStaleTemporarySeconds = 60;

bool IsTemporaryOf(const QString& name, const QString& file) {
  constexpr int kRandomLetters = 6;
  if (name.size() != file.size() + 1 + kRandomLetters || !name.startsWith(file + '.')) return false;
  for (qsizetype i = file.size() + 1; i < name.size(); ++i)
    if (!name[i].isLetterOrNumber() || name[i].unicode() > 0x7f) return false;
  return true;
}

void RemoveStaleTemporaries(const QString& path) {
  const QFileInfo target(path);
  const QDateTime staleBefore = QDateTime::currentDateTimeUtc().addSecs(-kStaleTemporarySeconds);
  const QFileInfoList entries =
      target.dir().entryInfoList({target.fileName() + QStringLiteral(".*")}, QDir::Files | QDir::Hidden);
  for (const QFileInfo& entry : entries)
    if (IsTemporaryOf(entry.fileName(), target.fileName()) && entry.lastModified().toUTC() < staleBefore)
      QFile::remove(entry.filePath());
}

}  // namespace

FileKind ProbeFile(const std::string& path, std::int64_t* size) {
  const QFileInfo info(ToQt(path));
  if (size) *size = info.exists() ? info.size() : 0;
  if (!info.exists()) return FileKind::Missing;
  return info.isFile() ? FileKind::File : FileKind::Other;
}

IoResult ReadFileBytes(const std::string& path, Bytes& out, std::int64_t maxBytes) {
  out.clear();
  QFile file(ToQt(path));
  if (!file.open(QIODevice::ReadOnly)) return Failed("cannot open", path, file.errorString());
  return ReadFrom(file, path, maxBytes, out);
}

IoResult ReadFileTail(const std::string& path, std::int64_t offset, Bytes& out) {
  out.clear();
  QFile file(ToQt(path));
  if (!file.open(QIODevice::ReadOnly)) return Failed("cannot open", path, file.errorString());
  if (file.size() <= offset) return IoResult::Success();
  if (!file.seek(offset)) return Failed("cannot read", path, file.errorString());
  return ReadFrom(file, path, -1, out);
}

IoResult CreateEmptyFile(const std::string& path) {
  QFile file(ToQt(path));
  if (file.exists()) return IoResult::Success();
  if (!file.open(QIODevice::WriteOnly)) return Failed("cannot create", path, file.errorString());
  return IoResult::Success();
}

IoResult WriteFileAtomically(const std::string& path, const Bytes& bytes) {
  RemoveStaleTemporaries(ToQt(path));
  QSaveFile file(ToQt(path));
  if (!file.open(QIODevice::WriteOnly)) return Failed("cannot write", path, file.errorString());
  const auto size = static_cast<qint64>(bytes.size());
  if (file.write(reinterpret_cast<const char*>(bytes.data()), size) != size) {
    const QString why = file.errorString();
    file.cancelWriting();
    return Failed("cannot write", path, why);
  }
  if (!file.commit()) return Failed("cannot write", path, file.errorString());
  return IoResult::Success();
}

}  // namespace moriva
