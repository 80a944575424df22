#include "ui/PadInput.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "platform/ControllerSource.h"
#include "ui/frmGetItem.h"

namespace moriva {

PadInput::PadInput(ControllerSource& source, KeyHandler keys, QObject* parent)
    : QObject(parent), source_(source), keys_(std::move(keys)) {
  timer_.setInterval(kPollIntervalMs);
  connect(&timer_, &QTimer::timeout, this, &PadInput::Poll);
  timer_.start();
}

void PadInput::Poll() {
  const PadAnswers answers = mapper_.Update(source_.Poll(), *this);
  AnswerDialog(answers);
}

bool PadInput::DialogUp() { return QApplication::activeModalWidget() != nullptr; }

void PadInput::PadKeyDown(int virtualKey) {
  if (!DialogUp()) keys_(virtualKey, true);
}

void PadInput::PadKeyUp(int virtualKey) {
  // A release always goes through: the key may have been pressed before the box came up.
  keys_(virtualKey, false);
}

void PadInput::AnswerDialog(const PadAnswers& answers) {
  QWidget* modal = QApplication::activeModalWidget();
  if (!modal) return;
  if (auto* box = qobject_cast<QMessageBox*>(modal)) {
    QAbstractButton* button = nullptr;
    if (answers.yes) button = box->button(QMessageBox::Yes) ? box->button(QMessageBox::Yes) : box->button(QMessageBox::Ok);
    if (answers.no) button = box->button(QMessageBox::No);
    if (button) button->click();
  } else if (auto* dialog = qobject_cast<frmGetItem*>(modal)) {
    if (answers.yes) dialog->cmdOK()->click();
  }
}

}  // namespace moriva
