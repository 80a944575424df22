#pragma once

#include <cstddef>
#include <ostream>
#include <vector>

#include "game/PlayHook.h"
#include "replay/ReplayScript.h"

namespace moriva {

// Plays a replay script in the game window at the game's own pace: the script's start,
// items and switch before the title choice, its keys before their frames, its answers in
// place of the question boxes, every item dialog closed at once as the headless runner
// closes it, and the end of play at the script's last frame. The player's keys do not reach
// the game. When play ends, one JSON line says where: the same fields as the replay trace's
// closing line, with the hero's block and position.
class DemoPlayer final : public PlayHook {
 public:
  DemoPlayer(const ReplayScript& script, std::ostream& report);

  void TitleChosen(int index, Game& game) override;
  void FrameBegins(long frame, Game& game) override;
  void FrameEnded(long frame, Game& game) override;
  bool Answer(const char* question, bool& yes) override;
  bool CloseDialog(int itemNo) override;
  bool PlayEnded(RunResult result, Game& game) override;
  bool PlayerKeysReachGame() const override { return false; }

  // Where to write the hero's position after every frame (see WritePositionLine); none by default.
  void TracePositions(std::ostream* out) { positions_ = out; }

  // The title entry the script starts with.
  int titleChoice() const { return script_.continueGame ? 1 : 0; }

 private:
  const ReplayScript& script_;
  std::ostream& report_;
  std::ostream* positions_ = nullptr;
  std::vector<ReplayScript::KeyChange> keys_;  // sorted by frame, script order within one
  std::size_t nextKey_ = 0;
  std::size_t nextAnswer_ = 0;
  long lastFrame_ = 0;
};

}  // namespace moriva
