#pragma once

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "audio/clsBGM.h"
#include "game/GameHost.h"
#include "game/GameState.h"
#include "game/ItemDialogModel.h"
#include "platform/Clock.h"
#include "platform/MidiDevice.h"

namespace moriva {

// A host for the dialog's and the ending's tests. It plays music through a real music
// manager over a recording device, so that a test can count what the device was really
// asked to open, and runs each item dialog through the dialog model as a player would:
// OK once each message is complete, recording what every showing showed.
class DialogTestHost final : public GameHost {
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
  void StopMusic() override {
    ++stops;
    bgm.BGMStop();
  }
  bool AskYesNo(const char* question) override {
    questions.emplace_back(question);
    return true;
  }
  struct Showing {
    int itemNo = 0;
    std::string caption;
    ItemDialogModel::Icon icon = ItemDialogModel::Icon::Dud;
    int iconItem = -1;
    std::vector<std::u16string> messages;  // each message as it stood complete
    std::vector<int> effects;
    std::array<std::int16_t, kKeyStateSize> keysAtOpen{};
    std::array<std::int16_t, kHaveItemSize> haveAtOpen{};
    std::array<bool, kItemIcons> iconsAtOpen{};
  };

  void ShowItemDialog(int itemNo) override {
    Showing showing;
    showing.itemNo = itemNo;
    if (state) {
      showing.keysAtOpen = state->KeyState;
      showing.haveAtOpen = state->HaveItem;
      showing.iconsAtOpen = state->ItemVisible;
    }
    ItemDialogModel dialog(colorPhase, [&](int effect) {
      showing.effects.push_back(effect);
      effects.push_back(effect);
    });
    dialog.Open(itemNo);
    showing.caption = dialog.caption();
    showing.icon = dialog.icon();
    showing.iconItem = dialog.iconItem();
    for (int presses = 0; presses < 8 && !dialog.closed(); ++presses) {
      for (int guard = 0; dialog.revealRunning() && guard < 1000; ++guard) dialog.RevealTick();
      showing.messages.push_back(dialog.labelText());
      dialog.PressOk();
    }
    dialogs.push_back(showing);
  }
  void ShowEndingView() override {
    ++endingViews;
    if (onEndingView) onEndingView();
  }
  void ShowTitle() override { ++titles; }
  void ShowPleaseWait(bool) override {}
  void HideTitle() override {}
  void Refresh() override {}
  void ProcessEvents() override {
    if (onProcessEvents) onProcessEvents();
  }
  Clock& clock() override { return virtualClock; }
  void ReportError(const std::string& message) override { questions.push_back(message); }

  long Opens() const {
    return std::count(device.calls.begin(), device.calls.end(), "Command=open");
  }

  RecordingMidiDevice device;
  clsBGM bgm;
  VirtualClock virtualClock;
  std::vector<int> effects;
  std::vector<std::pair<int, bool>> music;
  std::vector<std::string> questions;
  std::vector<Showing> dialogs;
  std::int32_t colorPhase = 0;
  const GameState* state = nullptr;  // read when a dialog opens
  int stops = 0;
  int endingViews = 0;
  int titles = 0;
  std::function<void()> onEndingView;
  std::function<void()> onProcessEvents;
};

}  // namespace moriva
