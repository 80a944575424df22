// Timings of the editor's whole-world export and a paint stroke: not part of the test suite.

#include <benchmark/benchmark.h>

#include "editor/MapEditor.h"
#include "editor/MapExport.h"
#include "platform/Pictures.h"
#include "world/MapFile.h"

namespace moriva {
namespace {

// The world the build ships, or a varied stand-in when the program has not been built.
MapGrid ShippedWorld() {
  MapGrid map;
  if (!LoadMap(MORIVA_SHIPPED_WORLD, map)) {
    for (int x = 0; x < kWorldTiles; ++x)
      for (int y = 0; y < kWorldTiles; ++y) map(x, y) = static_cast<std::uint8_t>((x * 31 + y * 7) % 192);
  }
  return map;
}

void BM_AllMap(benchmark::State& state) {
  const MapGrid map = ShippedWorld();
  const Surface sheet = LoadPicture("tiles");
  Surface block(kBlockPixels, kBlockPixels);
  Surface world;
  for (auto _ : state) {
    RenderWorld(map, sheet, block, world);
    benchmark::DoNotOptimize(world.data());
  }
}
BENCHMARK(BM_AllMap)->Unit(benchmark::kMillisecond);

// One press, a drag across the block's width (one move per cell), one release: the undo
// step included.
void BM_PaintStroke(benchmark::State& state) {
  const Surface sheet = LoadPicture("tiles");
  basMoriva shared;
  shared.Map = ShippedWorld();
  MapEditor editor(shared, [&]() -> const Surface& { return sheet; });
  editor.picParts_MouseUp(1, 70, 40);
  for (auto _ : state) {
    editor.picEdit_MouseDown(kLeftButton, 16, 700);
    for (int i = 1; i < kBlockTiles; ++i) editor.picEdit_MouseMove(kLeftButton, i * kTileSize + 16, 700);
    editor.picEdit_MouseUp(kLeftButton, 1599, 700);
    benchmark::DoNotOptimize(editor.picEdit().data());
  }
  state.SetItemsProcessed(state.iterations() * kBlockTiles);
}
BENCHMARK(BM_PaintStroke)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace moriva

BENCHMARK_MAIN();
