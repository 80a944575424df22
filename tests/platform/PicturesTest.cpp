#include "platform/Pictures.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace moriva {
namespace {

TEST(Pictures, DebugSheetIsTheFullTileSheet) {
  const Surface sheet = LoadDebugTileSheet();
  EXPECT_EQ(sheet.width(), 256);
  EXPECT_EQ(sheet.height(), 768);
  // Pixels carry no alpha bits: raster operations see colour only.
  EXPECT_EQ(sheet.pixel(16, 4) & 0xFF000000u, 0u);
}

TEST(Pictures, TilesAreEmbeddedByRole) {
  const std::vector<std::string> names = PictureNames();
  EXPECT_NE(std::find(names.begin(), names.end(), "tiles"), names.end());
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
  const Surface tiles = LoadPicture("tiles");
  EXPECT_EQ(tiles.width(), 256);
  EXPECT_EQ(tiles.height(), 768);
}

TEST(Pictures, AbsentPictureIsEmpty) {
  EXPECT_TRUE(LoadPicture("no-such-picture").empty());
  EXPECT_TRUE(LoadImageFile("/no/such/file.png").empty());
}

}  // namespace
}  // namespace moriva
