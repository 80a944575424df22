#pragma once

#include <QTemporaryDir>
#include <string>

namespace moriva::test {

// A fresh folder for one test, removed with the object: stands in for the program folder.
class TempFolder {
 public:
  std::string path() const { return dir_.path().toStdString(); }
  std::string file(const std::string& name) const { return path() + "/" + name; }

 private:
  QTemporaryDir dir_{QDir::tempPath() + "/moriva-test-XXXXXX"};
};

}  // namespace moriva::test
