#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

#include "platform/PadKeyMapper.h"

namespace moriva {

class ControllerSource;

// Reads the game pads on the window's thread, so their key changes reach the game between
// frames exactly as the keyboard's do. While a question box or the item dialog is up, the
// bottom face button answers Yes or OK and the right one No, and the game gets no keys.
class PadInput : public QObject, private PadKeySink {
 public:
  // A key change for the game: the virtual key and whether it went down.
  using KeyHandler = std::function<void(int virtualKey, bool down)>;

  // More often than the frames, so no press falls between two readings.
  static constexpr int kPollIntervalMs = 8;

  PadInput(ControllerSource& source, KeyHandler keys, QObject* parent = nullptr);

  // One reading of the pads; the timer calls it.
  void Poll();

 private:
  void PadKeyDown(int virtualKey) override;
  void PadKeyUp(int virtualKey) override;
  // Answers the modal box or dialog that is up, if any.
  static void AnswerDialog(const PadAnswers& answers);
  static bool DialogUp();

  ControllerSource& source_;
  KeyHandler keys_;
  PadKeyMapper mapper_;
  QTimer timer_;
};

}  // namespace moriva
