#pragma once

#include <string>
#include <vector>

namespace moriva {

// The yes/no question box (question icon, captioned with the application title).
class Prompt {
 public:
  virtual ~Prompt() = default;
  virtual bool AskYesNo(const std::string& question) = 0;
};

// Answers from a list, in order; No once the list is used up. Records every question.
class ScriptedPrompt final : public Prompt {
 public:
  explicit ScriptedPrompt(std::vector<bool> answers = {}) : answers_(std::move(answers)) {}
  bool AskYesNo(const std::string& question) override {
    asked.push_back(question);
    return next_ < answers_.size() ? answers_[next_++] : false;
  }
  void Push(bool answer) { answers_.push_back(answer); }
  std::vector<std::string> asked;

 private:
  std::vector<bool> answers_;
  std::size_t next_ = 0;
};

}  // namespace moriva
