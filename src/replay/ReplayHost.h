#pragma once

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "audio/clsBGM.h"
#include "replay/EndingTrace.h"
#include "game/HeadlessGameHost.h"
#include "replay/ReplayScript.h"
#include "platform/Clock.h"
#include "platform/MidiDevice.h"

namespace moriva {

class Game;

// The replay runner's host: applies the script's keys before each frame, answers the
// prompts from the script, presses OK in every item dialog until it closes, and writes one
// JSON line per frame with the state and what the frame played and did.
class ReplayHost final : public HeadlessGameHost {
 public:
  ReplayHost(const ReplayScript& script, std::ostream& trace);

  void Attach(Game& game) { game_ = &game; }
  // Called after each frame's line has been written.
  std::function<void(long frame)> onFrameWritten;
  long framesWritten() const { return framesWritten_; }
  // Writes the closing line.
  void WriteEnd(const char* why);
  // The music requests since the last call, and whether the device opened a piece for them.
  EndingTickMusic TakeEndingMusic();

  void PlayEffect(int number) override;
  void PlayMusic(int number, bool notLoop) override;
  void StopMusic() override;
  bool AskYesNo(const char* question) override;
  void ShowItemDialog(int itemNo) override;
  void ReportError(const std::string& message) override;
  void FrameBegins(long frame) override;
  void FrameEnded(long frame) override;
  void Note(GameEvent event, int arg) override;

 private:
  void WriteFrame(long frame);

  const ReplayScript& script_;
  std::ostream& trace_;
  Game* game_ = nullptr;
  std::vector<ReplayScript::KeyChange> keys_;  // sorted by frame, script order within one
  std::size_t nextKey_ = 0;
  std::size_t nextAnswer_ = 0;
  std::int32_t dialogColorPhase_ = 0;
  long framesWritten_ = 0;

  // What happened since the last trace line.
  std::vector<int> effects_;
  std::vector<std::pair<int, bool>> music_;
  std::vector<std::string> events_;

  // The music manager over a recording device tells which requests really open a piece.
  RecordingMidiDevice musicDevice_;
  clsBGM bgm_;
  std::size_t musicDeviceSeen_ = 0;
};

}  // namespace moriva
