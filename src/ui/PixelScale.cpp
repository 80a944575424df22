#include "ui/PixelScale.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QWidget>
#include <algorithm>
#include <cstring>

namespace moriva {

int PixelScale::FitFactor(QSize logical, QSize available) {
  if (logical.isEmpty()) return 1;
  const int fit = std::min(available.width() / logical.width(), available.height() / logical.height());
  return std::clamp(fit, 1, kLargestFactor);
}

void PixelScale::EnlargeInto(const QImage& source, const QRect& from, int factor, QImage& target) {
  const int rows = std::min(from.height(), target.height() / factor);
  const int columns = std::min(from.width(), target.width() / factor);
  const auto rowBytes = static_cast<std::size_t>(columns * factor) * sizeof(QRgb);
  for (int y = 0; y < rows; ++y) {
    auto* out = reinterpret_cast<QRgb*>(target.scanLine(y * factor));
    const int sy = from.y() + y;
    const bool rowInside = sy >= 0 && sy < source.height();
    const auto* in = rowInside ? reinterpret_cast<const QRgb*>(source.constScanLine(sy)) : nullptr;
    for (int x = 0; x < columns; ++x) {
      const int sx = from.x() + x;
      const QRgb pixel = in && sx >= 0 && sx < source.width() ? in[sx] : qRgb(0, 0, 0);
      for (int i = 0; i < factor; ++i) *out++ = pixel;
    }
    for (int i = 1; i < factor; ++i) std::memcpy(target.scanLine(y * factor + i), target.constScanLine(y * factor), rowBytes);
  }
}

QPoint PixelScale::CentredOrigin(QSize shown, QSize area) {
  return {std::max(0, (area.width() - shown.width()) / 2), std::max(0, (area.height() - shown.height()) / 2)};
}

void PixelScale::SetFactor(int factor, QPoint origin) {
  factor_ = std::clamp(factor, 1, kLargestFactor);
  origin_ = origin;
  for (Entry& e : entries_)
    if (e.widget) Apply(e);
}

PixelScale::Entry& PixelScale::EntryFor(QWidget* widget) {
  auto it = std::find_if(entries_.begin(), entries_.end(), [widget](const Entry& e) { return e.widget == widget; });
  if (it != entries_.end()) return *it;
  // Elements deleted since leave empty entries behind; reuse one before growing.
  auto free = std::find_if(entries_.begin(), entries_.end(), [](const Entry& e) { return e.widget.isNull(); });
  if (free != entries_.end()) {
    *free = Entry{};
  } else {
    free = entries_.insert(entries_.end(), Entry{});
  }
  free->widget = widget;
  return *free;
}

void PixelScale::Place(QWidget* widget, const QRect& logical) {
  Entry& e = EntryFor(widget);
  e.rect = logical;
  e.position.reset();
  Apply(e);
}

void PixelScale::Move(QWidget* widget, const QPoint& logical) {
  Entry& e = EntryFor(widget);
  if (e.rect) {
    e.rect->moveTopLeft(logical);
  } else {
    e.position = logical;
  }
  Apply(e);
}

void PixelScale::SetFont(QWidget* widget, const QFont& logical) {
  Entry& e = EntryFor(widget);
  e.font = logical;
  Apply(e);
}

void PixelScale::SetPicture(QLabel* label, const QImage& logical) {
  Entry& e = EntryFor(label);
  e.picture = logical;
  Apply(e);
}

void PixelScale::SetLineWidth(QFrame* frame, int logical) {
  Entry& e = EntryFor(frame);
  e.lineWidth = logical;
  Apply(e);
}

QRect PixelScale::logical(const QWidget* widget) const {
  for (const Entry& e : entries_) {
    if (e.widget != widget) continue;
    if (e.rect) return *e.rect;
    if (e.position) return {*e.position, widget->size() / factor_};
  }
  return {};
}

QFont PixelScale::Scaled(const QFont& logical) const {
  QFont f = logical;
  if (logical.pixelSize() > 0) {
    f.setPixelSize(logical.pixelSize() * factor_);
  } else {
    f.setPointSizeF(logical.pointSizeF() * factor_);
  }
  return f;
}

QPoint PixelScale::ToLogical(QPoint rootPosition) const {
  const QPoint p = rootPosition - origin_;
  // Whole-pixel floor, also left of and above the picture.
  auto floorDiv = [this](int v) { return v >= 0 ? v / factor_ : -((-v + factor_ - 1) / factor_); };
  return {floorDiv(p.x()), floorDiv(p.y())};
}

void PixelScale::Prepare(QPainter& painter, bool onRoot) const {
  if (onRoot) painter.translate(origin_);
  painter.scale(factor_, factor_);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.setRenderHint(QPainter::Antialiasing, false);
}

QPoint PixelScale::Offset(const QWidget* widget) const {
  return widget->parentWidget() == root_ ? origin_ : QPoint();
}

void PixelScale::Apply(Entry& e) const {
  QWidget* w = e.widget;
  if (e.font) w->setFont(Scaled(*e.font));
  if (!e.picture.isNull()) {
    if (auto* label = qobject_cast<QLabel*>(w))
      label->setPixmap(QPixmap::fromImage(
          e.picture.scaled(e.picture.size() * factor_, Qt::IgnoreAspectRatio, Qt::FastTransformation)));
  }
  if (e.lineWidth >= 0) {
    if (auto* frame = qobject_cast<QFrame*>(w)) frame->setLineWidth(e.lineWidth * factor_);
  }
  if (e.rect) {
    const QRect& r = *e.rect;
    w->setGeometry(QRect(Offset(w) + r.topLeft() * factor_, r.size() * factor_));
  } else if (e.position) {
    w->move(Offset(w) + *e.position * factor_);
  }
}

}  // namespace moriva
