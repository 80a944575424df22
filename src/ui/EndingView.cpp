#include "ui/EndingView.h"

#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include "game/Ending.h"
#include "game/Game.h"
#include "ui/PixelScale.h"

namespace moriva {

namespace {

// The window's default font in the design: a proportional Japanese gothic of 9 points.
constexpr const char* kDefaultFont = "ＭＳ Ｐゴシック";
constexpr const char* kSubstituteFont = "IPAPGothic";
constexpr double kDefaultPointSize = 9.0;

QColor ToColor(Pixel p) { return QColor::fromRgb(static_cast<QRgb>(p)); }

// CR LF pairs break the label's lines.
QString LabelText(const char* text) {
  return QString::fromUtf8(text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

}  // namespace

EndingView::EndingView(Game& game, QWidget* window, QWidget* picFrame,
                       std::vector<QWidget*> playPanel, int captionHeight, PixelScale* scale)
    : QObject(window),
      game_(game),
      window_(window),
      picFrame_(picFrame),
      playPanel_(std::move(playPanel)),
      captionHeight_(captionHeight),
      scale_(scale),
      lblEnding_(new QLabel(window)),
      tmrEnding_(new QTimer(this)) {
  QFont::insertSubstitution(kDefaultFont, kSubstituteFont);
  font_ = QFont(kDefaultFont);
  font_.setPointSizeF(kDefaultPointSize);

  if (scale_) {
    scale_->SetFont(lblEnding_, font_);
  } else {
    lblEnding_->setFont(font_);
  }
  lblEnding_->setTextFormat(Qt::PlainText);
  lblEnding_->setWordWrap(false);
  lblEnding_->setAttribute(Qt::WA_TranslucentBackground);
  QPalette palette = lblEnding_->palette();
  palette.setColor(QPalette::WindowText, Qt::white);
  lblEnding_->setPalette(palette);
  lblEnding_->hide();
  MoveLabel(0, EndingScreen::kDesignLabelTop);

  tmrEnding_->setInterval(kEndingIntervalMs);
  connect(tmrEnding_, &QTimer::timeout, this, &EndingView::tmrEnding_Timer);
  MeasureWindow();
}

void EndingView::MeasureWindow() {
  EndingScreen& screen = game_.state().Ending;
  const QRect frame = scale_ ? scale_->logical(picFrame_) : picFrame_->geometry();
  screen.ClientHeight = scale_ ? scale_->rootSize().height() : window_->height();
  screen.CaptionHeight = captionHeight_;
  screen.TextColumn = frame.x() + frame.width();
  screen.PrintLineHeight = QFontMetrics(font_).lineSpacing();
}

bool EndingView::active() const { return game_.state().Ending.Shown; }

void EndingView::Begin() {
  const EndingScreen& screen = game_.state().Ending;
  if (auto* frame = qobject_cast<QFrame*>(picFrame_)) frame->setFrameShape(QFrame::NoFrame);
  for (QWidget* element : playPanel_) element->hide();
  lblEnding_->setText(LabelText(screen.LabelText));
  lblEnding_->adjustSize();
  ShowLabel();
  lblEnding_->raise();
  paintedCount_ = 0;
  window_->update();
  if (screen.TimerRunning) tmrEnding_->start();
}

void EndingView::tmrEnding_Timer() {
  moriva::tmrEnding_Timer(game_);
  const EndingScreen& screen = game_.state().Ending;
  ShowLabel();
  if (screen.PrintedCount != paintedCount_) {
    paintedCount_ = screen.PrintedCount;
    window_->update();
  }
  if (!screen.TimerRunning) tmrEnding_->stop();
}

void EndingView::ShowLabel() {
  const EndingScreen& screen = game_.state().Ending;
  MoveLabel(screen.LabelLeft, screen.LabelTop);
  lblEnding_->setVisible(screen.LabelVisible);
}

void EndingView::MoveLabel(int left, int top) {
  if (scale_) {
    scale_->Move(lblEnding_, QPoint(left, top));
  } else {
    lblEnding_->move(left, top);
  }
}

void EndingView::Paint(QPainter& painter) const {
  const EndingScreen& screen = game_.state().Ending;
  const QRect area = scale_ ? QRect(QPoint(), scale_->rootSize()) : window_->rect();
  painter.fillRect(area, ToColor(screen.BackColor));
  painter.setFont(font_);
  painter.setPen(ToColor(screen.ForeColor));
  const QFontMetrics metrics(font_);
  for (int i = 0; i < screen.PrintedCount; ++i) {
    const EndingPrint& line = screen.Printed[static_cast<std::size_t>(i)];
    // A print position is the top of the line; text is drawn on its baseline.
    painter.drawText(line.X, line.Y + metrics.ascent(), QString::fromUtf8(line.Text));
  }
}

}  // namespace moriva
