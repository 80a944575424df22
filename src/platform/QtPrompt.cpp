#include "platform/QtPrompt.h"

#include <QMessageBox>

namespace moriva {

bool QtPrompt::AskYesNo(const std::string& question) {
  QMessageBox box(QMessageBox::Question, QString::fromStdString(caption_),
                  QString::fromStdString(question), QMessageBox::Yes | QMessageBox::No, parent_);
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace moriva
