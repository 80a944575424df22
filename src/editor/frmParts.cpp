#include "editor/frmParts.h"

#include <QFrame>
#include <QHelpEvent>
#include <QToolTip>

#include "editor/CellInfo.h"
#include "editor/EditorGeometry.h"
#include "editor/SurfaceView.h"
#include "platform/Pictures.h"

namespace moriva {

frmParts::frmParts(QWidget* parent) : QWidget(parent, Qt::Window), sheet_(LoadPicture("tiles")) {
  setWindowTitle(QStringLiteral("Parts"));
  setFixedSize(kClientWidth, kClientHeight);

  picParts_ = new SurfaceView(this);
  picParts_->setObjectName(QStringLiteral("picParts"));
  picParts_->setGeometry(0, kPictureTop, kSheetWidth, kSheetHeight);
  picParts_->setSurface(&sheet_);
  picParts_->installEventFilter(this);
  connect(picParts_, &SurfaceView::mouseReleased, this, &frmParts::picParts_MouseUp);

  shpSelect_ = new QFrame(picParts_);
  shpSelect_->setObjectName(QStringLiteral("shpSelect"));
  shpSelect_->setAttribute(Qt::WA_TransparentForMouseEvents);
  shpSelect_->setStyleSheet(QStringLiteral("#shpSelect { border: 2px solid #ff0000; background: transparent; }"));
  shpSelect_->setGeometry(0, 0, kTileSize, kTileSize);
}

void frmParts::MoveMarker(int x, int y) { shpSelect_->move(x, y); }

void frmParts::picParts_MouseUp(int button, double x, double y) {
  if (picker_) picker_(button, x, y);
}

bool frmParts::eventFilter(QObject* watched, QEvent* event) {
  if (watched == picParts_ && event->type() == QEvent::ToolTip) {
    const auto* help = static_cast<QHelpEvent*>(event);
    if (const auto tile = SheetTileAt(help->pos().x(), help->pos().y())) {
      const int code = tile->y * kSheetColumns + tile->x;
      QToolTip::showText(help->globalPos(),
                         QString::fromStdString(DescribeCode(static_cast<std::uint8_t>(code))),
                         picParts_);
    } else {
      QToolTip::hideText();
    }
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace moriva
