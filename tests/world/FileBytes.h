#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <string>

#include "world/SaveSlotData.h"

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

// A save the game could write, every value different from its neighbours in the file, so
// a value stored one record off shows, and some at the ends of their ranges: the last
// position, white, the most misses. `n` goes into BlockX and the last miss count.
inline SaveSlotData NumberedSave(int n) {
  SaveSlotData d{static_cast<std::int16_t>(n % 5), 3, 1568.0f, 0.5f, 1, {1, 0, 1, 0, 1, 0, 0, 1, 0, 1}};
  for (int c = 0; c < kBlockTableSize; ++c)
    for (int r = 0; r < kBlockTableSize; ++r) {
      d.BlockColor[c][r] = (c + r) % 2 ? -1 : 0x010203 * (c + r + 1);
      d.MissCount[c][r] = 10 * c + r;
    }
  d.BlockColor[0][0] = 0xFFFFFF;
  d.MissCount[0][0] = 2147483647;
  d.MissCount[4][4] = 1000 + n;
  return d;
}

}  // namespace moriva::test
