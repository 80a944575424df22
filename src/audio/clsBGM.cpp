#include "audio/clsBGM.h"

#include <utility>

#include "audio/AddPathSep.h"

namespace moriva {

namespace {
constexpr const char* kDeviceType = "sequencer";
}

clsBGM::clsBGM(std::string programFolder) : programFolder_(std::move(programFolder)) {}

void clsBGM::InitBGM(MidiDevice& vTMCI) {
  MCIDevice_ = &vTMCI;
  MusicOn_ = true;
}

void clsBGM::BGMOnOff(bool vOn) { MusicOn_ = vOn; }

void clsBGM::AddBGM(const std::string& vFileName) {
  MusicFiles_.push_back(AddPathSep(programFolder_) + vFileName);
}

void clsBGM::BGMPlay(std::int16_t vBGMNo, bool voNotLoop) {
  LoopMusic_ = !voNotLoop;
  if (!MusicOn_) {
    BGMStop();
    return;
  }
  if (vBGMNo == CurrentBGM_) return;
  // A number outside the list would open nothing; the piece that plays goes on instead.
  if (vBGMNo < 1 || static_cast<std::size_t>(vBGMNo) > MusicFiles_.size() || !MCIDevice_) return;

  Command("Close");
  MCIDevice_->SetShareable(false);
  MCIDevice_->SetDeviceType(kDeviceType);
  MCIDevice_->SetFileName(MusicFiles_[static_cast<std::size_t>(vBGMNo - 1)]);
  Command("open");
  Command("Play");
  MCIDevice_->SetNotify(true);
  CurrentBGM_ = vBGMNo;
}

void clsBGM::BGMStop() { Command("Close"); }

void clsBGM::BGMRestart(std::int16_t vBGMNo, bool voNotLoop) {
  CurrentBGM_ = 0;
  BGMPlay(vBGMNo, voNotLoop);
}

void clsBGM::QuitBGM() { Command("Close"); }

void clsBGM::BGMDone(std::int16_t vNotifyCode) {
  if (vNotifyCode != MidiDevice::kNotifySuccessful || !LoopMusic_ || !MCIDevice_) return;
  Command("Prev");
  MCIDevice_->SetFrom(0);
  Command("Play");
}

void clsBGM::Command(const char* command) {
  if (MCIDevice_) MCIDevice_->SetCommand(command);
}

}  // namespace moriva
