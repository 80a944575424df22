#include "platform/Pictures.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace moriva {
namespace {

TEST(Pictures, PixelsCarryNoAlphaNamesAreSortedAndAbsentPicturesAreEmpty) {
  // Raster operations see colour only.
  EXPECT_EQ(LoadDebugTileSheet().pixel(16, 4) & 0xFF000000u, 0u);
  EXPECT_EQ(LoadPicture("tiles").pixel(16, 4) & 0xFF000000u, 0u);
  const std::vector<std::string> names = PictureNames();
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
  EXPECT_TRUE(LoadPicture("no-such-picture").empty());
  EXPECT_TRUE(LoadImageFile("/no/such/file.png").empty());
}

}  // namespace
}  // namespace moriva
