#include "support/GameFixture.h"

#include <gtest/gtest.h>

#include "world/MapFile.h"

namespace moriva::test {

namespace {
// A recognisable sheet: every cell its own colour, so copies can be checked.
Surface NumberedSheet(int salt) {
  Surface s(kSheetWidth, kSheetHeight);
  for (int y = 0; y < kSheetHeight; ++y)
    for (int x = 0; x < kSheetWidth; ++x)
      s.setPixel(x, y, Rgb((x * 7 + salt) & 0xFF, (y * 3) & 0xFF, ((x ^ y) + salt * 31) & 0xFF));
  return s;
}
}  // namespace

GameFixture::GameFixture() : tiles(NumberedSheet(1)), sprites(NumberedSheet(2)) {
  for (int x = 0; x < kWorldTiles; ++x)
    for (int by = 0; by < kWorldBlocks; ++by) mod_.Map(x, by * kBlockTiles + kFloorRow) = kFloor;
  game_ = std::make_unique<Game>(mod_, tiles, sprites, host_, folder_.path());
  game_->SetViewFrame(kViewFrameSize, kViewFrameSize);
  game_->ReturnToTitle();
}

RunResult GameFixture::PlayFrames(long frames) {
  auto previous = host_.onFrameEnded;
  host_.onFrameEnded = [this, frames, previous](long frame) {
    if (previous) previous(frame);
    if (frame >= frames) st().StopLoop = kTrue;
  };
  const RunResult result = game_->lblTitle_Click(0);
  host_.onFrameEnded = previous;
  return result;
}

void GameFixture::WriteWorld() const {
  ASSERT_TRUE(SaveMap(MapFilePath(folder_.path()), mod_.Map).ok);
}

}  // namespace moriva::test
