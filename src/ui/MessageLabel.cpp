#include "ui/MessageLabel.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>
#include <cmath>

namespace moriva {

MessageLabel::MessageLabel(int lineStep, QWidget* parent) : QLabel(parent), lineStep_(lineStep) {
  setTextFormat(Qt::PlainText);
  setWordWrap(true);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

int MessageLabel::LayOut(QTextLayout& layout, int width) const {
  // The layout breaks lines only at its own separator.
  QString shown = text();
  shown.replace(QLatin1Char('\n'), QChar::LineSeparator);
  layout.setText(shown);
  layout.setFont(font());
  QTextOption option(alignment());
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  int lines = 0;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(width);
    line.setPosition(QPointF(0, lineStep_ * lines));
    ++lines;
  }
  layout.endLayout();
  return lines;
}

int MessageLabel::heightForWidth(int width) const {
  if (text().isEmpty()) return 0;
  QTextLayout layout;
  const int lines = LayOut(layout, width);
  return lineStep_ * (lines - 1) + QFontMetrics(font()).height();
}

void MessageLabel::paintEvent(QPaintEvent*) {
  QTextLayout layout;
  LayOut(layout, width());
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::WindowText));
  layout.draw(&painter, QPointF(0, 0));
}

}  // namespace moriva
