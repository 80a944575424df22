#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>
#include <memory>

#include "platform/DataFolder.h"

namespace moriva {

namespace {

// Decided once per run: the folder's mode does not change under a running program.
DataFolder* ProcessFolders() {
  if (!QCoreApplication::instance()) return nullptr;
  static std::unique_ptr<DataFolder> folders = [] {
    const QString program = QCoreApplication::applicationDirPath();
    const QString user = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return std::make_unique<DataFolder>(program.toStdString(), user.toStdString(),
                                        QFileInfo(program).isWritable());
  }();
  return folders.get();
}

}  // namespace

std::string ProgramFolder() { return QCoreApplication::applicationDirPath().toStdString(); }

std::string WriteFolder() {
  DataFolder* folders = ProcessFolders();
  return folders ? folders->writeFolder() : ProgramFolder();
}

std::string JoinProgramPath(const std::string& folder, const std::string& name) {
  DataFolder* folders = ProcessFolders();
  if (folders && folder == folders->programFolder()) return folders->Resolve(name);
  return folder + "/" + name;
}

}  // namespace moriva
