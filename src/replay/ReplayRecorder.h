#pragma once

#include <array>
#include <ostream>
#include <string>

#include "game/GameState.h"
#include "game/PlayHook.h"

namespace moriva {

// Writes what the player does in the window as a replay script (docs/replay.md): the title
// choice, every key change at the frame where the game first reads it, the answers to the
// questions and, at the end, the number of frames played. Time in a question box or an item
// dialog is no frame of play, so it leaves no trace. `moriva-tool replay` of the script
// plays the same frames.
class ReplayRecorder final : public PlayHook {
 public:
  // The script is written to `path` when play ends (or when the recorder goes).
  explicit ReplayRecorder(std::string path);
  ~ReplayRecorder() override;

  void TitleChosen(int index, Game& game) override;
  void FrameBegins(long frame, Game& game) override;
  void FrameEnded(long frame, Game& game) override;
  void Answered(bool yes) override;
  void DialogClosed() override;
  bool PlayEnded(RunResult result, Game& game) override;

  // Where to write the hero's position after every frame (see WritePositionLine); none by default.
  void TracePositions(std::ostream* out) { positions_ = out; }

  // The script so far.
  const std::string& text() const { return text_; }
  // Writes the script; false (and `error` set) when the file cannot be written.
  bool Save(std::string& error);

 private:
  void ForgetKeys() { expected_.fill(0); }

  std::string path_;
  std::ostream* positions_ = nullptr;
  std::string text_;
  std::array<std::int16_t, kKeyStateSize> expected_{};  // the keys the replayed game holds
  long lastFrame_ = 0;
  bool playing_ = false;
  bool saved_ = false;
};

// The script name of a virtual key: Left, Space, D0..D9, S, ... or its number.
std::string ReplayKeyName(int virtualKey);

}  // namespace moriva
