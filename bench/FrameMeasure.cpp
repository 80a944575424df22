// Measures the game window's frame pacing in a real window: plays 2,000 frames of a new
// game and prints the median and 99th-percentile frame period and the process's CPU use.
// Two clocks of a frame: when the window paints it (the update request that draws and sends
// it to the screen: what the player sees) and when the frame loop passes through its events
// (a zero timer; it may fire before or after the paint of the same pass).
// Not a test: timings depend on the machine. Run under a display (for example xvfb-run).

#include <sys/resource.h>

#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "ui/frmGame.h"
#include "platform/Pictures.h"
#include "platform/ProgramFolder.h"
#include "platform/SdlAudioDevices.h"
#include "world/MapFile.h"
#include "world/basMoriva.h"

namespace {

constexpr std::size_t kFrames = 2000;
using Clock = std::chrono::steady_clock;

// Notes the time of every update request of one window: a frame painted and sent.
class PaintStamps : public QObject {
 public:
  PaintStamps(QObject* window, std::vector<Clock::time_point>& stamps) : window_(window), stamps_(stamps) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == window_ && event->type() == QEvent::UpdateRequest && stamps_.size() < stamps_.capacity())
      stamps_.push_back(Clock::now());
    return false;
  }

 private:
  QObject* window_;
  std::vector<Clock::time_point>& stamps_;
};

void PrintPeriods(const char* what, const std::vector<Clock::time_point>& stamps) {
  std::vector<double> periods;
  for (std::size_t i = 1; i < stamps.size(); ++i)
    periods.push_back(std::chrono::duration<double, std::milli>(stamps[i] - stamps[i - 1]).count());
  std::sort(periods.begin(), periods.end());
  if (periods.empty()) return;
  std::printf("%s: frames %zu  median %.3f ms  p99 %.3f ms  max %.3f ms\n", what, periods.size(),
              periods[periods.size() / 2], periods[periods.size() * 99 / 100], periods.back());
}

double CpuSeconds() {
  rusage use{};
  getrusage(RUSAGE_SELF, &use);
  return use.ru_utime.tv_sec + use.ru_stime.tv_sec + (use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  static moriva::basMoriva shared;
  const std::string folder = argc > 1 ? argv[1] : moriva::ProgramFolder();
  if (!moriva::LoadMap(moriva::MapFilePath(folder), shared.Map)) return 1;
  static const moriva::Surface tiles = moriva::LoadPicture("tiles");
  static const moriva::Surface sprites = moriva::LoadPicture("sprites");
  moriva::AudioDevices audio = moriva::OpenAudioDevices();
  moriva::frmGame window(shared, tiles, sprites, *audio.midi, *audio.wav, folder);
  window.Form_Load();

  std::vector<Clock::time_point> stamps, painted;
  stamps.reserve(kFrames + 1);
  painted.reserve(kFrames + 1);
  PaintStamps paints(&window, painted);
  double cpuStart = 0;
  Clock::time_point wallStart;
  QTimer perFrame;  // a zero timer fires once in each frame's event pass
  perFrame.setInterval(0);
  QObject::connect(&perFrame, &QTimer::timeout, [&] {
    if (stamps.empty()) {
      cpuStart = CpuSeconds();
      wallStart = Clock::now();
      window.installEventFilter(&paints);
    }
    stamps.push_back(Clock::now());
    if (stamps.size() == kFrames + 1) window.close();
  });
  QTimer::singleShot(200, [&] {
    perFrame.start();
    window.picTitle_KeyPress(' ');
  });
  QApplication::exec();

  const double wall = std::chrono::duration<double>(Clock::now() - wallStart).count();
  const double cpu = CpuSeconds() - cpuStart;
  if (stamps.size() < 2) return 1;
  PrintPeriods("frames painted", painted);
  PrintPeriods("event passes  ", stamps);
  std::printf("cpu %.1f%% of one core (%.2f s cpu / %.2f s wall)\n", 100.0 * cpu / wall, cpu, wall);
  return 0;
}
