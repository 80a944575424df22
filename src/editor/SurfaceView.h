#pragma once

#include <QWidget>

#include "platform/Surface.h"

namespace moriva {

// A picture surface on screen: shows a Surface that lives elsewhere (it repaints when the
// surface is refreshed) and reports the mouse in the surface's own pixels, with the
// button values 1 left, 2 right, 4 middle (a bit set while moving).
class SurfaceView : public QWidget {
  Q_OBJECT

 public:
  explicit SurfaceView(QWidget* parent = nullptr);

  // Follows `surface` from now on; the view listens for its refreshes.
  void setSurface(Surface* surface);
  Surface* surface() const { return surface_; }

 signals:
  void mousePressed(int button, double x, double y);
  void mouseMoved(int buttons, double x, double y);
  void mouseReleased(int button, double x, double y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  Surface* surface_ = nullptr;
};

}  // namespace moriva
