#include "editor/SurfaceView.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>

namespace moriva {

namespace {
constexpr int kButtonBits = 7;  // left 1, right 2, middle 4
int ButtonValue(Qt::MouseButtons buttons) { return static_cast<int>(buttons.toInt()) & kButtonBits; }
}  // namespace

SurfaceView::SurfaceView(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void SurfaceView::setSurface(Surface* surface) {
  surface_ = surface;
  if (surface_) surface_->setRefreshListener([this] { update(); });
  update();
}

void SurfaceView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  if (!surface_ || surface_->empty()) {
    painter.fillRect(event->rect(), palette().window());
    return;
  }
  // A view of the surface's pixels, no copy: the surface outlives the paint.
  const QImage picture(reinterpret_cast<const uchar*>(surface_->data()), surface_->width(),
                       surface_->height(),
                       surface_->width() * static_cast<qsizetype>(sizeof(Pixel)), QImage::Format_RGB32);
  const QRect area = event->rect();
  painter.drawImage(area.topLeft(), picture, area);
}

void SurfaceView::mousePressEvent(QMouseEvent* event) {
  emit mousePressed(ButtonValue(event->button()), event->position().x(), event->position().y());
}

void SurfaceView::mouseMoveEvent(QMouseEvent* event) {
  emit mouseMoved(ButtonValue(event->buttons()), event->position().x(), event->position().y());
}

void SurfaceView::mouseReleaseEvent(QMouseEvent* event) {
  emit mouseReleased(ButtonValue(event->button()), event->position().x(), event->position().y());
}

}  // namespace moriva
