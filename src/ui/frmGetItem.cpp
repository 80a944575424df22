#include "ui/frmGetItem.h"

#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

#include "platform/Pictures.h"
#include "ui/MessageLabel.h"

namespace moriva {

namespace {

constexpr int kIconSize = 32;
constexpr int kPicItemX = 8, kPicItemY = 8;
constexpr int kLabelX = 56, kLabelY = 8, kLabelWidth = 181, kLabelHeight = 57;
constexpr int kShadowOffset = 3;
constexpr int kOkX = 168, kOkY = 73, kOkWidth = 73, kOkHeight = 33;

constexpr const char* kDesignFont = "ＭＳ Ｐゴシック";
constexpr const char* kSubstituteFont = "IPAPGothic";
constexpr double kMessagePointSize = 14.25;
constexpr double kButtonPointSize = 11.25;
constexpr QRgb kMessageColor = qRgb(0, 0, 128);
constexpr QRgb kShadowColor = qRgb(192, 192, 255);

QImage ToImage(const Surface& surface) {
  if (surface.empty()) return {};
  // Surface pixels are 0x00RRGGBB, which RGB32 reads with the unused byte ignored.
  return QImage(reinterpret_cast<const uchar*>(surface.data()), surface.width(), surface.height(),
                surface.width() * static_cast<int>(sizeof(Pixel)), QImage::Format_RGB32)
      .copy();
}

QImage SheetCell(const Surface& sheet, int x, int y) {
  Surface cell(kIconSize, kIconSize);
  BitBlt(cell, 0, 0, kIconSize, kIconSize, sheet, x, y, RasterOp::SrcCopy);
  return ToImage(cell);
}

QFont DesignFont(double pointSize) {
  QFont::insertSubstitution(kDesignFont, kSubstituteFont);
  QFont font(kDesignFont);
  font.setPointSizeF(pointSize);
  font.setBold(true);
  return font;
}

// A lone carriage return breaks the line.
QString PlainText(const std::u16string& text) {
  QString shown = QString::fromStdU16String(text);
  shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}

// The label is three lines of the design face high. The substitute face has a taller
// line, which would cut the third line of the longer memos in half, so the lines are
// set closer: two line steps and one full line fill the label.
constexpr int kMessageLineHeight = 18;

QLabel* NewMessageLabel(PixelScale& scale, QWidget* parent, QRgb color) {
  auto* label = new MessageLabel(kMessageLineHeight * scale.factor(), parent);
  scale.Place(label, QRect(kLabelX, kLabelY, kLabelWidth, kLabelHeight));
  scale.SetFont(label, DesignFont(kMessagePointSize));
  label->setAttribute(Qt::WA_TranslucentBackground);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, QColor::fromRgb(color));
  label->setPalette(palette);
  return label;
}

constexpr int kButtonBorder = 2;

QString ButtonStyle(Pixel color, int factor) {
  const QColor back = QColor::fromRgb(static_cast<QRgb>(color));
  return QStringLiteral(
             "QPushButton { background-color: %1; color: black; border: %3px outset %2; }"
             "QPushButton:pressed { border-style: inset; }"
             "QPushButton:focus { border: %3px solid black; }")
      .arg(back.name(), back.darker(130).name())
      .arg(kButtonBorder * factor);
}

}  // namespace

frmGetItem::frmGetItem(int itemNo, std::int32_t& colorPhase,
                       ItemDialogModel::EffectPlayer playEffect, QWidget* parent, int factor)
    : QDialog(parent), model_(colorPhase, std::move(playEffect)), scale_(this) {
  scale_.SetRootSize({kClientWidth, kClientHeight});
  scale_.SetFactor(factor);
  setFixedSize(scale_.rootSize() * scale_.factor());
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setModal(true);
  background_ = ToImage(LoadPicture("dialog"));

  picItem_ = new QLabel(this);
  // The shadow copy first, so that the message is drawn over it.
  lblMS2_ = NewMessageLabel(scale_, this, kShadowColor);
  lblMS_ = NewMessageLabel(scale_, this, kMessageColor);
  shownText_ = PlainText(model_.labelText());
  lblMS_->setText(shownText_);
  lblMS2_->setText(shownText_);

  cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
  scale_.Place(cmdOK_, QRect(kOkX, kOkY, kOkWidth, kOkHeight));
  scale_.SetFont(cmdOK_, DesignFont(kButtonPointSize));
  // The keyboard presses OK only once the button has been given the focus, and Enter only
  // through the focused button (no default button of the dialog).
  cmdOK_->setAutoDefault(false);
  cmdOK_->setFocusPolicy(Qt::NoFocus);
  connect(cmdOK_, &QPushButton::clicked, this, &frmGetItem::cmdOK_Click);
  shownButtonColor_ = model_.buttonColor();
  cmdOK_->setStyleSheet(ButtonStyle(shownButtonColor_, scale_.factor()));

  tmrMS_ = new QTimer(this);
  tmrMS_->setInterval(ItemDialogModel::kRevealIntervalMs);
  connect(tmrMS_, &QTimer::timeout, this, &frmGetItem::tmrMS_Timer);
  tmrButtonColor_ = new QTimer(this);
  tmrButtonColor_->setInterval(ItemDialogModel::kColorIntervalMs);
  connect(tmrButtonColor_, &QTimer::timeout, this, &frmGetItem::tmrButtonColor_Timer);

  Form_Load(itemNo);
}

frmGetItem::~frmGetItem() = default;

void frmGetItem::ShowModal(int itemNo, std::int32_t& colorPhase,
                           ItemDialogModel::EffectPlayer playEffect, QWidget* parent, int factor) {
  frmGetItem dialog(itemNo, colorPhase, std::move(playEffect), parent, factor);
  dialog.exec();
}

void frmGetItem::Form_Load(int itemNo) {
  scale_.Place(picItem_, QRect(kPicItemX, kPicItemY, kIconSize, kIconSize));
  scale_.Move(lblMS2_, QPoint(kLabelX + kShadowOffset, kLabelY + kShadowOffset));

  model_.Open(itemNo);
  setWindowTitle(QString::fromStdString(model_.caption()));

  switch (model_.icon()) {
    case ItemDialogModel::Icon::Item: {
      const Surface icon = LoadPicture("item" + std::to_string(model_.iconItem()));
      scale_.SetPicture(picItem_, ToImage(icon));
      break;
    }
    case ItemDialogModel::Icon::Memo:
      scale_.SetPicture(picItem_, SheetCell(LoadPicture("sprites"), ItemDialogModel::kMemoIconX,
                                            ItemDialogModel::kMemoIconY));
      break;
    case ItemDialogModel::Icon::Dud:
      scale_.SetPicture(picItem_, SheetCell(LoadPicture("sprites"), ItemDialogModel::kDudIconX,
                                            ItemDialogModel::kDudIconY));
      break;
  }
  ShowModelState();
}

void frmGetItem::tmrMS_Timer() {
  model_.RevealTick();
  ShowModelState();
}

void frmGetItem::tmrButtonColor_Timer() {
  model_.ColorTick();
  ShowModelState();
}

void frmGetItem::cmdOK_Click() {
  model_.PressOk();
  ShowModelState();
  if (model_.closed()) QDialog::accept();
}

void frmGetItem::reject() { cmdOK_Click(); }

void frmGetItem::ShowModelState() {
  const QString text = PlainText(model_.labelText());
  if (shownText_ != text) {
    shownText_ = text;
    lblMS_->setText(text);
    lblMS2_->setText(text);
  }
  if (model_.buttonColor() != shownButtonColor_) {
    shownButtonColor_ = model_.buttonColor();
    cmdOK_->setStyleSheet(ButtonStyle(shownButtonColor_, scale_.factor()));
  }
  if (model_.okFocused() && cmdOK_->focusPolicy() == Qt::NoFocus) {
    cmdOK_->setFocusPolicy(Qt::StrongFocus);
    cmdOK_->setFocus();
  }
  // Starting a running timer again would restart its interval; only changes matter.
  if (model_.revealRunning() != tmrMS_->isActive()) {
    model_.revealRunning() ? tmrMS_->start() : tmrMS_->stop();
  }
  if (model_.colorRunning() != tmrButtonColor_->isActive()) {
    model_.colorRunning() ? tmrButtonColor_->start() : tmrButtonColor_->stop();
  }
}

void frmGetItem::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  scale_.Prepare(painter, true);
  if (!background_.isNull()) painter.drawImage(0, 0, background_);
}

void frmGetItem::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  // A held key's repeats must not click through the messages.
  if ((enter || event->key() == Qt::Key_Escape) && event->isAutoRepeat()) return;
  if (enter) {
    if (cmdOK_->hasFocus()) cmdOK_->click();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace moriva
