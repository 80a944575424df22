#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace moriva {

// The command-string MIDI sequencer that clsBGM drives: properties are set one by one and
// setting Command runs that command ("Close", "open", "Play", "Prev").
//
// When a piece started while Notify is set plays to its end, the device reports completion
// code 1 through the done handler, on the window thread, during event processing. A piece
// ended by "Close", "Prev" or a new piece never reports code 1.
class MidiDevice {
 public:
  using DoneHandler = std::function<void(std::int16_t notifyCode)>;

  static constexpr std::int16_t kNotifySuccessful = 1;

  virtual ~MidiDevice() = default;

  virtual void SetShareable(bool shareable) = 0;
  virtual void SetDeviceType(const std::string& deviceType) = 0;
  virtual void SetFileName(const std::string& fileName) = 0;
  virtual void SetNotify(bool notify) = 0;
  // Starting position (milliseconds) of the next "Play".
  virtual void SetFrom(std::int32_t from) = 0;
  virtual void SetCommand(const std::string& command) = 0;

  // The window's completion handler (mciBGM_Done); replaces any earlier one.
  void SetDoneHandler(DoneHandler handler) { done_ = std::move(handler); }

 protected:
  void RaiseDone(std::int16_t notifyCode) {
    if (done_) done_(notifyCode);
  }

 private:
  DoneHandler done_;
};

// Records every property write as "Name=value" in order; Complete() plays the device's part.
class RecordingMidiDevice final : public MidiDevice {
 public:
  void SetShareable(bool shareable) override { Record("Shareable", shareable ? "true" : "false"); }
  void SetDeviceType(const std::string& deviceType) override { Record("DeviceType", deviceType); }
  void SetFileName(const std::string& fileName) override { Record("FileName", fileName); }
  void SetNotify(bool notify) override { Record("Notify", notify ? "true" : "false"); }
  void SetFrom(std::int32_t from) override { Record("From", std::to_string(from)); }
  void SetCommand(const std::string& command) override { Record("Command", command); }

  // Delivers a completion as the window would, with the given code.
  void Complete(std::int16_t notifyCode) { RaiseDone(notifyCode); }

  std::vector<std::string> calls;

 private:
  void Record(const char* name, const std::string& value) { calls.push_back(std::string(name) + "=" + value); }
};

// No sound device or no SoundFont: accepts everything, plays nothing, never completes.
class SilentMidiDevice final : public MidiDevice {
 public:
  void SetShareable(bool) override {}
  void SetDeviceType(const std::string&) override {}
  void SetFileName(const std::string&) override {}
  void SetNotify(bool) override {}
  void SetFrom(std::int32_t) override {}
  void SetCommand(const std::string&) override {}
};

}  // namespace moriva
