#pragma once

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "audio/clsBGM.h"
#include "game/HeadlessGameHost.h"
#include "game/GameState.h"
#include "platform/MidiDevice.h"

namespace moriva {

// A host for the ending's tests. It plays music through a real music manager over a
// recording device, so that a test can count what the device was really asked to open.
class DialogTestHost final : public HeadlessGameHost {
 public:
  DialogTestHost() : bgm("/game") {
    bgm.InitBGM(device);
    for (const char* file : {"qz2.mid", "qz3.mid", "sky02.mid", "org5.mid"}) bgm.AddBGM(file);
  }
  void PlayEffect(int number) override { effects.push_back(number); }
  void PlayMusic(int number, bool notLoop) override {
    music.emplace_back(number, notLoop);
    bgm.BGMPlay(static_cast<std::int16_t>(number), notLoop);
  }
  void StopMusic() override { bgm.BGMStop(); }
  bool AskYesNo(const char* question) override {
    questions.emplace_back(question);
    return true;
  }
  void ShowEndingView() override {
    ++endingViews;
    if (onEndingView) onEndingView();
  }
  void ReportError(const std::string& message) override { questions.push_back(message); }

  long Opens() const {
    return std::count(device.calls.begin(), device.calls.end(), "Command=open");
  }

  RecordingMidiDevice device;
  clsBGM bgm;
  std::vector<int> effects;
  std::vector<std::pair<int, bool>> music;
  std::vector<std::string> questions;
  int endingViews = 0;
  std::function<void()> onEndingView;
};

}  // namespace moriva
