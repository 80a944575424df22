#pragma once

#include <QLabel>

class QTextLayout;

namespace moriva {

// A plain-text label whose wrapped lines stand a fixed step apart. The text shown is the
// text held, character for character (a full-width space stays full width); a line feed
// breaks the line.
class MessageLabel : public QLabel {
  Q_OBJECT

 public:
  MessageLabel(int lineStep, QWidget* parent = nullptr);

  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int width) const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // Lays the text out in `width`; returns the number of lines.
  int LayOut(QTextLayout& layout, int width) const;

  int lineStep_;
};

}  // namespace moriva
