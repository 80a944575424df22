// moriva-soak: plays the game headless for millions of frames on random keys, unpaced on
// a virtual clock, and reports what happened and the resident memory at the start and the
// end. Random prompts answers, saves, loads, returns to the title and endings all occur.
//   moriva-soak --frames N [--world MAPFILE] [--seed S]
// Without --world every game is played on a fresh random world.

#include <QGuiApplication>
#include <QTemporaryDir>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <string>

#include "game/Game.h"
#include "game/GameState.h"
#include "game/HeadlessGameHost.h"
#include "platform/Clock.h"
#include "platform/KeyCodes.h"
#include "platform/Pictures.h"
#include "world/MapFile.h"
#include "world/basMoriva.h"

namespace {

using namespace moriva;

constexpr int kKeys[] = {vk::kLeft, vk::kRight, vk::kUp, vk::kDown, vk::kSpace, vk::kEnter,
                         vk::kS, vk::kL, vk::kQ, vk::kDigit0 + 3, vk::kDigit0 + 9};
constexpr int kKeyChangeOdds = 8;      // one frame in this many presses or releases a key
constexpr int kRareKeyOdds = 50;       // S, L, Q and the digits are pressed less often
constexpr int kYesOdds = 4;            // one question in this many is answered Yes
constexpr long kLongestGame = 10000;   // frames before a game is given up for a new one
constexpr int kFilledOdds = 3;         // one cell in this many of a random world is not empty
constexpr long kReportEvery = 1000000;

long ResidentKb() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  return -1;
}

struct Counts {
  long frames = 0, games = 0, saves = 0, loads = 0, questions = 0, dialogs = 0, endings = 0,
       errors = 0, titles = 0;
};

class SoakHost final : public HeadlessGameHost {
 public:
  SoakHost(std::mt19937& random, Counts& counts) : random_(random), counts_(counts) {}
  Game* game = nullptr;
  long stopAt = 0;  // total frames

  bool AskYesNo(const char*) override {
    ++counts_.questions;
    return random_() % kYesOdds == 0;
  }
  void ShowItemDialog(int) override { ++counts_.dialogs; }
  void ShowEndingView() override { ++counts_.endings; }
  void ReportError(const std::string& message) override {
    ++counts_.errors;
    std::fprintf(stderr, "error: %s\n", message.c_str());
  }
  void Note(GameEvent event, int) override {
    if (event == GameEvent::SaveGame) ++counts_.saves;
    if (event == GameEvent::LoadGame) ++counts_.loads;
  }
  void FrameBegins(long) override {
    if (random_() % kKeyChangeOdds != 0) return;
    const int key = kKeys[random_() % std::size(kKeys)];
    const bool rare = key == vk::kS || key == vk::kL || key == vk::kQ || key >= vk::kDigit0;
    const bool press = random_() % 2 == 0 && (!rare || random_() % kRareKeyOdds == 0);
    press ? game->KeyDown(key) : game->KeyUp(key);
  }
  void FrameEnded(long frame) override {
    ++counts_.frames;
    CheckState();
    if (counts_.frames % kReportEvery == 0)
      std::fprintf(stderr, "%ld frames, resident %ld kB\n", counts_.frames, ResidentKb());
    if (counts_.frames >= stopAt || frame >= kLongestGame) game->state().StopLoop = kTrue;
  }

 private:
  // What every frame must leave true, whatever the keys did.
  void CheckState() const {
    const basMoriva& m = game->module();
    const GameState& st = game->state();
    if (m.BlockX < 0 || m.BlockX >= kWorldBlocks || m.BlockY < 0 || m.BlockY >= kWorldBlocks ||
        !std::isfinite(st.HeroX) || !std::isfinite(st.HeroY)) {
      std::fprintf(stderr, "broken state after frame %ld: block %d,%d hero %g,%g\n", counts_.frames,
                   m.BlockX, m.BlockY, st.HeroX, st.HeroY);
      std::abort();
    }
  }

  std::mt19937& random_;
  Counts& counts_;
};

void RandomWorld(std::mt19937& random, MapGrid& map) {
  map.clear();
  for (int x = 0; x < kWorldTiles; ++x)
    for (int y = 0; y < kWorldTiles; ++y)
      if (random() % kFilledOdds == 0) map(x, y) = static_cast<std::uint8_t>(random());
}

int Usage() {
  std::fprintf(stderr, "usage: moriva-soak --frames N [--world MAPFILE] [--seed S]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  long frames = 0;
  unsigned seed = 1;
  std::string world;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--frames") == 0) frames = std::atol(argv[i + 1]);
    else if (std::strcmp(argv[i], "--world") == 0) world = argv[i + 1];
    else if (std::strcmp(argv[i], "--seed") == 0) seed = static_cast<unsigned>(std::atol(argv[i + 1]));
    else return Usage();
  }
  if (frames <= 0 || argc % 2 == 0) return Usage();
  QGuiApplication app(argc, argv);

  const QTemporaryDir folder;
  static basMoriva module;
  if (!world.empty()) {
    if (IoResult r = LoadMap(world, module.Map); !r) {
      std::fprintf(stderr, "%s\n", r.message.c_str());
      return 1;
    }
  }
  const Surface tiles = LoadPicture("tiles");
  const Surface sprites = LoadPicture("sprites");
  std::mt19937 random(seed);
  Counts counts;
  SoakHost host(random, counts);
  Game game(module, tiles, sprites, host, folder.path().toStdString());
  host.game = &game;
  host.stopAt = frames;
  game.SetViewFrame(kViewFrameSize, kViewFrameSize);

  const auto started = std::chrono::steady_clock::now();
  long startKb = -1;
  while (counts.frames < frames) {
    if (world.empty()) RandomWorld(random, module.Map);
    game.ReturnToTitle();
    for (int i = 0; i < kItemIcons; ++i) game.state().HaveItem[i] = static_cast<std::int16_t>(random() % 2);
    const RunResult result = game.lblTitle_Click(static_cast<int>(random() % 2));
    ++counts.games;
    if (result == RunResult::Title) ++counts.titles;
    // Measured once the first game has run: the pictures, the world and the surfaces are
    // all in place then.
    if (startKb < 0) startKb = ResidentKb();
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::printf("frames %ld  games %ld  saves %ld  loads %ld  questions %ld  dialogs %ld  endings %ld  "
              "titles %ld  errors %ld\n",
              counts.frames, counts.games, counts.saves, counts.loads, counts.questions, counts.dialogs,
              counts.endings, counts.titles, counts.errors);
  std::printf("%.1f s, %.1f us a frame; resident memory %ld kB after the first game, %ld kB at the end\n",
              seconds, 1e6 * seconds / static_cast<double>(counts.frames), startKb, ResidentKb());
  return counts.errors == 0 ? 0 : 1;
}
