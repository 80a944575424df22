#pragma once

#include <string>

#include "platform/Prompt.h"

class QWidget;

namespace moriva {

// The yes/no question box: question icon, Yes and No, captioned with the application title.
class QtPrompt final : public Prompt {
 public:
  QtPrompt(QWidget* parent, std::string caption) : parent_(parent), caption_(std::move(caption)) {}
  bool AskYesNo(const std::string& question) override;

 private:
  QWidget* parent_;
  std::string caption_;
};

}  // namespace moriva
