#include "platform/ProgramFolder.h"

#include <QCoreApplication>

namespace moriva {

std::string ProgramFolder() { return QCoreApplication::applicationDirPath().toStdString(); }

std::string JoinProgramPath(const std::string& folder, const std::string& name) {
  return folder + "/" + name;
}

}  // namespace moriva
