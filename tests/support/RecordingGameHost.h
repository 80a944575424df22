#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "audio/clsBGM.h"
#include "game/HeadlessGameHost.h"

namespace moriva {

// A host without a window that records what the game asks of the outside world, answers
// the questions from a list (No once it is used up) and closes item dialogs at once. Tests
// hook their per-frame work into the frame callbacks. Given a music manager, it also plays
// the music through it, so a test can see what its device was really asked to do.
class RecordingGameHost : public HeadlessGameHost {
 public:
  struct Music {
    int number;
    bool notLoop;
    bool operator==(const Music&) const = default;
  };

  void PlayEffect(int number) override { effects.push_back(number); }
  void PlayMusic(int number, bool notLoop) override {
    music.push_back({number, notLoop});
    if (bgm) bgm->BGMPlay(static_cast<std::int16_t>(number), notLoop);
  }
  void StopMusic() override {
    if (bgm) bgm->BGMStop();
  }
  void ShowItemDialog(int itemNo) override {
    if (onItemDialog) onItemDialog(itemNo);
  }
  void ShowEndingView() override {
    ++endingViews;
    if (onEndingView) onEndingView();
  }
  bool AskYesNo(const char* question) override {
    const bool yes = nextAnswer < answers.size() && answers[nextAnswer++];
    questions.emplace_back(question);
    return yes;
  }
  void ShowTitle() override { titleVisible = true; }
  void ShowPleaseWait(bool visible) override { pleaseWaitShown += visible ? 1 : 0; }
  void HideTitle() override { titleVisible = false; }
  void ProcessEvents() override {
    ++eventPasses;
    if (onEvents) onEvents();
  }
  void ReportError(const std::string& message) override { errors.push_back(message); }
  void FrameBegins(long frame) override {
    if (onFrameBegins) onFrameBegins(frame);
  }
  void FrameEnded(long frame) override {
    if (onFrameEnded) onFrameEnded(frame);
  }
  void Note(GameEvent event, int arg) override { notes.emplace_back(event, arg); }

  std::vector<int> effects;
  std::vector<Music> music;
  std::vector<bool> answers;
  std::size_t nextAnswer = 0;
  std::vector<std::string> questions;
  std::vector<std::string> errors;
  std::vector<std::pair<GameEvent, int>> notes;
  int pleaseWaitShown = 0;
  bool titleVisible = false;
  long eventPasses = 0;
  int endingViews = 0;
  clsBGM* bgm = nullptr;

  std::function<void(long)> onFrameBegins;
  std::function<void(long)> onFrameEnded;
  std::function<void()> onEvents;
  std::function<void()> onEndingView;
  std::function<void(int)> onItemDialog;
};

}  // namespace moriva
