#include <gtest/gtest.h>

#include <limits>

#include "world/SaveSlotData.h"

namespace moriva {
namespace {

TEST(SaveSlotRange, ValuesTheGameWritesStayUntouched) {
  SaveSlotData d;
  d.BlockX = 4;
  d.BlockY = 0;
  d.RestartX = 1536.0f;
  d.RestartY = 0.5f;
  d.SwitchOn = 1;
  d.HaveItem[9] = 1;
  d.BlockColor[0][0] = -1;
  d.BlockColor[1][0] = 255;
  d.BlockColor[2][0] = 0xFFFFFF;
  d.MissCount[4][4] = 2147483647;
  const SaveSlotData before = d;
  EXPECT_FALSE(CorrectSaveSlotRange(d));
  EXPECT_EQ(d, before);
}

TEST(SaveSlotRange, EachFieldIsBroughtIntoRange) {
  SaveSlotData d;
  d.BlockX = -3;
  d.BlockY = 5;  // one past the last block
  d.RestartX = std::numeric_limits<float>::quiet_NaN();
  d.RestartY = 99999.0f;
  d.SwitchOn = -1;
  d.HaveItem[0] = 2;
  d.HaveItem[1] = -1;
  d.HaveItem[2] = 1;
  d.BlockColor[0][1] = -2;
  d.BlockColor[0][2] = 0x1000000;
  d.MissCount[3][3] = -7;
  EXPECT_TRUE(CorrectSaveSlotRange(d));
  EXPECT_EQ(d.BlockX, 0);
  EXPECT_EQ(d.BlockY, 4);
  EXPECT_EQ(d.RestartX, 0.0f);
  EXPECT_EQ(d.RestartY, 1568.0f);  // the hero's box stays on the 1600 px surface
  EXPECT_EQ(d.SwitchOn, 0);
  EXPECT_EQ(d.HaveItem[0], 0);  // a damaged record never grants an item
  EXPECT_EQ(d.HaveItem[1], 0);
  EXPECT_EQ(d.HaveItem[2], 1);
  EXPECT_EQ(d.BlockColor[0][1], -1);
  EXPECT_EQ(d.BlockColor[0][2], -1);
  EXPECT_EQ(d.MissCount[3][3], 0);
}

}  // namespace
}  // namespace moriva
