// Timings of reading and writing the world and the save file.

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "world/MapFile.h"
#include "world/SaveFile.h"

namespace moriva {
namespace {

std::string Folder(const QTemporaryDir& dir) { return dir.path().toStdString(); }

void BM_LoadMap(benchmark::State& state) {
  MapGrid map;
  for (auto _ : state) {
    benchmark::DoNotOptimize(LoadMap(MORIVA_SHIPPED_WORLD, map).ok);
  }
}
BENCHMARK(BM_LoadMap)->Unit(benchmark::kMicrosecond);

void BM_SaveMap(benchmark::State& state) {
  MapGrid map;
  if (!LoadMap(MORIVA_SHIPPED_WORLD, map)) state.SkipWithError("the shipped world cannot be read");
  const QTemporaryDir dir;
  const std::string path = MapFilePath(Folder(dir));
  for (auto _ : state) {
    benchmark::DoNotOptimize(SaveMap(path, map).ok);
  }
}
BENCHMARK(BM_SaveMap)->Unit(benchmark::kMicrosecond);

SaveSlotData TypicalSave() {
  SaveSlotData d;
  d.BlockX = 2;
  d.BlockY = 4;
  d.RestartX = 160.0f;
  d.RestartY = 1498.0f;
  d.SwitchOn = 1;
  d.HaveItem = {1, 1, 0, 0, 1, 1, 0, 1, 0, 0};
  for (auto& column : d.BlockColor) column.fill(0x80FF80);
  return d;
}

// A save into a full ring of ten: the file is read whole and replaced.
void BM_SaveGameFile(benchmark::State& state) {
  const QTemporaryDir dir;
  const std::string path = SaveFilePath(Folder(dir));
  const SaveSlotData d = TypicalSave();
  for (int i = 0; i < kSaveSlots; ++i) (void)WriteNextSlot(path, d);
  for (auto _ : state) {
    benchmark::DoNotOptimize(WriteNextSlot(path, d).ok);
  }
}
BENCHMARK(BM_SaveGameFile)->Unit(benchmark::kMicrosecond);

void BM_LoadGameFile(benchmark::State& state) {
  const QTemporaryDir dir;
  const std::string path = SaveFilePath(Folder(dir));
  const SaveSlotData d = TypicalSave();
  for (int i = 0; i < kSaveSlots; ++i) (void)WriteNextSlot(path, d);
  int back = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ReadSlot(path, back).slot);
    back = (back + 1) % kSaveSlots;
  }
}
BENCHMARK(BM_LoadGameFile)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace moriva
