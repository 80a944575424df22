#include "TempFolder.h"

namespace moriva::test {

TempFolder::TempFolder() : dir_(QDir::tempPath() + "/moriva-test-XXXXXX") {}

std::string TempFolder::path() const { return dir_.path().toStdString(); }

std::string TempFolder::file(const std::string& name) const { return path() + "/" + name; }

}  // namespace moriva::test
