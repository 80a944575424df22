#pragma once

#include <QJsonDocument>
#include <QProcess>
#include <algorithm>
#include <string>
#include <vector>

namespace moriva::test {

// One run of the built moriva-tool.
struct ToolRun {
  int exitCode = -1;
  std::string out;
  std::string err;

  QJsonDocument json() const { return QJsonDocument::fromJson(QByteArray::fromStdString(out)); }
  int errLines() const { return static_cast<int>(std::count(err.begin(), err.end(), '\n')); }
};

inline ToolRun RunTool(const std::vector<std::string>& args) {
  QStringList list;
  for (const std::string& a : args) list << QString::fromStdString(a);
  QProcess process;
  process.start(QStringLiteral(MORIVA_TOOL), list);
  ToolRun run;
  if (!process.waitForFinished(60000)) return run;
  run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.out = process.readAllStandardOutput().toStdString();
  run.err = process.readAllStandardError().toStdString();
  return run;
}

}  // namespace moriva::test
