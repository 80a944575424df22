#include "replay/ReplayRecorder.h"

#include <QByteArray>
#include <QSaveFile>
#include <QString>

#include "platform/KeyCodes.h"
#include "replay/PositionLine.h"

namespace moriva {

namespace {
constexpr int kDigits = 10;
}

std::string ReplayKeyName(int k) {
  switch (k) {
    case vk::kLeft: return "Left";
    case vk::kRight: return "Right";
    case vk::kUp: return "Up";
    case vk::kDown: return "Down";
    case vk::kSpace: return "Space";
    case vk::kEnter: return "Enter";
    case vk::kS: return "S";
    case vk::kL: return "L";
    case vk::kQ: return "Q";
    default: break;
  }
  if (k >= vk::kDigit0 && k < vk::kDigit0 + kDigits) return "D" + std::to_string(k - vk::kDigit0);
  return std::to_string(k);
}

ReplayRecorder::ReplayRecorder(std::string path) : path_(std::move(path)) {
  text_ = "# Recorded with moriva --record.\n";
}

ReplayRecorder::~ReplayRecorder() {
  std::string ignored;
  if (!saved_) Save(ignored);
}

void ReplayRecorder::TitleChosen(int index, Game&) {
  // One game is recorded: the first choice of the title.
  if (playing_ || lastFrame_ > 0) return;
  playing_ = true;
  text_ += index == 1 ? "title continue\n" : "title new\n";
  ForgetKeys();
}

void ReplayRecorder::FrameBegins(long frame, Game& game) {
  if (!playing_) return;
  const auto& keys = game.state().KeyState;
  std::string pressed, released;
  for (int k = 0; k < kKeyStateSize; ++k) {
    if (keys[k] == expected_[k]) continue;
    (keys[k] != 0 ? pressed : released) += " " + ReplayKeyName(k);
  }
  const std::string at = "at " + std::to_string(frame);
  if (!released.empty()) text_ += at + " release" + released + "\n";
  if (!pressed.empty()) text_ += at + " press" + pressed + "\n";
  expected_ = keys;
  lastFrame_ = frame;
}

void ReplayRecorder::FrameEnded(long frame, Game& game) {
  if (playing_ && positions_) WritePositionLine(*positions_, frame, game);
}

// The game forgets every held key after a question or a dialog, and so does its replay.
void ReplayRecorder::Answered(bool yes) {
  if (!playing_) return;
  text_ += yes ? "answer yes\n" : "answer no\n";
  ForgetKeys();
}

void ReplayRecorder::DialogClosed() {
  if (playing_) ForgetKeys();
}

bool ReplayRecorder::PlayEnded(RunResult, Game&) {
  if (!playing_) return false;
  playing_ = false;
  if (lastFrame_ > 0) text_ += "frames " + std::to_string(lastFrame_) + "\n";
  if (positions_) positions_->flush();
  std::string ignored;
  Save(ignored);
  return false;
}

bool ReplayRecorder::Save(std::string& error) {
  QSaveFile file(QString::fromStdString(path_));
  const QByteArray bytes = QByteArray::fromStdString(text_);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    error = "cannot write the recording " + path_ + ": " + file.errorString().toStdString();
    return false;
  }
  saved_ = true;
  return true;
}

}  // namespace moriva
