#pragma once

#include <QJsonDocument>
#include <string>
#include <vector>

namespace moriva::test {

// One run of the built moriva-tool.
struct ToolRun {
  int exitCode = -1;
  std::string out;
  std::string err;

  QJsonDocument json() const;
  int errLines() const;
};

ToolRun RunTool(const std::vector<std::string>& args);

}  // namespace moriva::test
