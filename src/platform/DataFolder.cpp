#include "platform/DataFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstring>
#include <utility>

namespace moriva {

namespace {

constexpr const char* kWorldFile = "mapdata.dat";
constexpr const char* kWrittenSuffixes[] = {".dat", ".bmp"};

std::string Join(const std::string& folder, const std::string& name) { return folder + "/" + name; }

}  // namespace

DataFolder::DataFolder(std::string programFolder, std::string userFolder, bool programWritable)
    : programFolder_(std::move(programFolder)),
      userFolder_(std::move(userFolder)),
      programWritable_(programWritable) {}

bool DataFolder::IsWrittenFile(const std::string& name) {
  const QString lower = QString::fromStdString(name).toLower();
  for (const char* suffix : kWrittenSuffixes)
    if (lower.endsWith(QLatin1String(suffix)) && lower.size() > static_cast<qsizetype>(std::strlen(suffix)))
      return true;
  return false;
}

const std::string& DataFolder::writeFolder() const {
  return programWritable_ ? programFolder_ : userFolder_;
}

std::string DataFolder::Resolve(const std::string& name) {
  if (programWritable_ || !IsWrittenFile(name)) return Join(programFolder_, name);
  PrepareUserFolder();
  return Join(userFolder_, name);
}

void DataFolder::PrepareUserFolder() {
  if (prepared_) return;
  prepared_ = true;
  QDir().mkpath(QString::fromStdString(userFolder_));
  const QString shipped = QString::fromStdString(Join(programFolder_, kWorldFile));
  const QString copy = QString::fromStdString(Join(userFolder_, kWorldFile));
  if (QFileInfo::exists(copy) || !QFileInfo::exists(shipped)) return;
  // The copy keeps the installed file's read-only mode; the editor must be able to save it.
  if (QFile::copy(shipped, copy))
    QFile::setPermissions(copy, QFile::permissions(copy) | QFileDevice::WriteOwner | QFileDevice::ReadOwner);
}

}  // namespace moriva
