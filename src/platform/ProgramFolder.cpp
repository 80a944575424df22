#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <memory>

#include "platform/DataFolder.h"
#include "platform/Preferences.h"

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

std::string DescribeFileLocations() {
  std::string text = "Files:\n  music and effects are read from      " + ProgramFolder() + "\n" +
                     "  mapdata.dat, savedata.dat, exports:  " + WriteFolder() + "\n";
  if (DataFolder* folders = ProcessFolders(); folders && folders->redirected())
    text += "    (the program's folder is read-only: the shipped world is copied there on first use)\n";
  text += "  sound switches and window scale:     " + OpenUserSettings()->fileName().toStdString() + "\n";
  return text;
}

}  // namespace moriva
