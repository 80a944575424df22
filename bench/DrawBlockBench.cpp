// Timings of block drawing: not part of the test suite.

#include <benchmark/benchmark.h>

#include "platform/Pictures.h"
#include "world/DrawBlock.h"

namespace moriva {
namespace {

MapGrid VariedWorld() {
  MapGrid map;
  for (int x = 0; x < kWorldTiles; ++x)
    for (int y = 0; y < kWorldTiles; ++y) map(x, y) = static_cast<std::uint8_t>((x * 31 + y * 7) % 256);
  return map;
}

void BM_DrawBlock(benchmark::State& state) {
  const MapGrid map = VariedWorld();
  const Surface sheet = LoadDebugTileSheet();
  Surface out(kBlockPixels, kBlockPixels);
  for (auto _ : state) {
    DrawBlock(map, sheet, 2, 4, out);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * kBlockTiles * kBlockTiles);
}
BENCHMARK(BM_DrawBlock)->Unit(benchmark::kMillisecond);

void BM_TileTransfer(benchmark::State& state) {
  const Surface sheet = LoadDebugTileSheet();
  Surface out(kBlockPixels, kBlockPixels);
  const auto rop = static_cast<RasterOp>(state.range(0));
  for (auto _ : state) {
    BitBlt(out, 64, 64, kTileSize, kTileSize, sheet, 96, 128, rop);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_TileTransfer)
    ->Arg(static_cast<std::int64_t>(RasterOp::SrcCopy))
    ->Arg(static_cast<std::int64_t>(RasterOp::SrcErase))
    ->Arg(static_cast<std::int64_t>(RasterOp::SrcInvert));

}  // namespace
}  // namespace moriva
