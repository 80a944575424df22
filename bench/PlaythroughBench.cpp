// The whole game headless: the playthrough kept with the world's sources, from the title's
// new game to the ending, replayed on the world built from those sources (the replay
// runner's virtual clock: no frame wait). Every frame writes its trace line, as
// `moriva-tool replay` does.

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>
#include <fstream>
#include <ostream>
#include <streambuf>

#include "replay/ReplayRunner.h"
#include "replay/ReplayScript.h"

namespace moriva {
namespace {

// Takes the trace and keeps none of it: the run's own work is timed, not a disk's.
class DiscardingBuffer final : public std::streambuf {
 protected:
  int_type overflow(int_type c) override { return traits_type::not_eof(c); }
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

void BM_Playthrough(benchmark::State& state) {
  std::ifstream in(MORIVA_PLAYTHROUGH);
  ReplayScript script;
  ReplayScriptError bad;
  if (!ParseReplayScript(in, script, bad)) {
    state.SkipWithError("the playthrough script cannot be read");
    return;
  }
  DiscardingBuffer discard;
  std::ostream trace(&discard);
  long frames = 0;
  for (auto _ : state) {
    // A fresh folder each time: the playthrough saves, and its loads must find its saves.
    state.PauseTiming();
    QTemporaryDir folder;
    const bool placed = QFile::copy(QStringLiteral(MORIVA_BUILT_WORLD), folder.filePath(QStringLiteral("mapdata.dat")));
    ReplayRunner runner(folder.path().toStdString());
    runner.onFrame = [&frames](long, const auto&) { ++frames; };
    state.ResumeTiming();
    std::string error;
    if (!placed || runner.Run(script, trace, error) != 0) {
      state.SkipWithError("the playthrough did not run on the built world");
      return;
    }
  }
  state.counters["frames"] = benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kAvgIterations);
  state.counters["frame"] = benchmark::Counter(static_cast<double>(frames),
                                               benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Playthrough)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace moriva
