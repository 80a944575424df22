#pragma once

#include <QTemporaryDir>
#include <string>

namespace moriva::test {

// A fresh folder for one test, removed with the object: stands in for the program folder.
class TempFolder {
 public:
  TempFolder();
  std::string path() const;
  std::string file(const std::string& name) const;

 private:
  QTemporaryDir dir_;
};

}  // namespace moriva::test
