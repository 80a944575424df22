#pragma once

#include <string>

#include "game/GameHost.h"
#include "platform/Clock.h"

namespace moriva {

// A host with no window, no sound and no player: every request is accepted and dropped,
// questions are answered No, and time runs on a virtual clock. The replay runner, the
// route search, the soak and benchmark drivers and the test rigs start from it and
// override only what they watch or answer.
class HeadlessGameHost : public GameHost {
 public:
  void PlayEffect(int) override {}
  void PlayMusic(int, bool) override {}
  bool AskYesNo(const char*) override { return false; }
  void ShowItemDialog(int) override {}
  void ShowEndingView() override {}
  void ShowTitle() override {}
  void ShowPleaseWait(bool) override {}
  void HideTitle() override {}
  void Refresh() override {}
  void ProcessEvents() override {}
  Clock& clock() override { return clock_; }
  void ReportError(const std::string&) override {}

 private:
  VirtualClock clock_;
};

}  // namespace moriva
