#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <string>

namespace moriva::test {

// The whole file, or nothing when it cannot be read.
inline QByteArray ReadBytes(const std::string& path) {
  QFile f(QString::fromStdString(path));
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void WriteBytes(const std::string& path, const QByteArray& bytes) {
  QFile f(QString::fromStdString(path));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path;
  ASSERT_EQ(f.write(bytes), bytes.size());
}

}  // namespace moriva::test
