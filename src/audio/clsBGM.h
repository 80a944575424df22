#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/MidiDevice.h"

namespace moriva {

// Plays one registered MIDI piece at a time through the sequencer device, by number (from 1).
// Asking for the current piece again is ignored, so the area music survives block changes;
// a looping piece restarts from the top whenever the device reports its end.
class clsBGM {
 public:
  explicit clsBGM(std::string programFolder);

  void InitBGM(MidiDevice& vTMCI);
  void BGMOnOff(bool vOn);
  void AddBGM(const std::string& vFileName);
  void BGMPlay(std::int16_t vBGMNo, bool voNotLoop = false);
  void BGMStop();
  // Plays vBGMNo from its start even when it is the current piece: the music was switched
  // off and on again and the device closed in between.
  void BGMRestart(std::int16_t vBGMNo, bool voNotLoop);
  void QuitBGM();
  // The device's completion handler forwards its notification code here.
  void BGMDone(std::int16_t vNotifyCode);

  bool MusicOn() const { return MusicOn_; }
  bool LoopMusic() const { return LoopMusic_; }
  std::int16_t CurrentBGM() const { return CurrentBGM_; }
  const std::vector<std::string>& MusicFiles() const { return MusicFiles_; }

 private:
  void Command(const char* command);

  std::string programFolder_;
  MidiDevice* MCIDevice_ = nullptr;
  std::vector<std::string> MusicFiles_;
  bool MusicOn_ = false;
  bool LoopMusic_ = false;
  std::int16_t CurrentBGM_ = 0;
};

}  // namespace moriva
