#pragma once

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <optional>
#include <vector>

class QFrame;
class QLabel;
class QPainter;
class QWidget;

namespace moriva {

// Shows a window laid out in the design's pixels at a whole multiple of that size. The code
// keeps speaking in design pixels: it places elements, sets fonts and pictures through here,
// and this applies the factor: positions and sizes multiplied, fonts set at the scaled size
// (text is drawn for the size it is seen at, not enlarged), pictures enlarged pixel by pixel
// without smoothing. At factor 1 every element is exactly where the design puts it.
//
// In fullscreen the picture sits at `origin` inside the root; only the root's own children
// move with it (their children are placed relative to them).
class PixelScale {
 public:
  static constexpr int kLargestFactor = 16;

  explicit PixelScale(QWidget* root) : root_(root) {}

  // Enlarges `from` of `source` by `factor` into the top-left of `target` (RGB32 both), pixel
  // by pixel. The play view goes through here every frame: a transformed draw would cost
  // several times as much. Parts of `from` outside the source come out black.
  static void EnlargeInto(const QImage& source, const QRect& from, int factor, QImage& target);

  // The largest whole factor at which `logical` fits into `available`; at least 1.
  static int FitFactor(QSize logical, QSize available);
  // Where a picture of `shown` size sits centred in `area`.
  static QPoint CentredOrigin(QSize shown, QSize area);

  // The root's own size in design pixels (the client area the layout fills).
  void SetRootSize(QSize logical) { rootSize_ = logical; }
  QSize rootSize() const { return rootSize_; }

  int factor() const { return factor_; }
  QPoint origin() const { return origin_; }
  // Applies a new factor and origin to every element placed so far.
  void SetFactor(int factor, QPoint origin = {});

  void Place(QWidget* widget, const QRect& logical);
  void Move(QWidget* widget, const QPoint& logical);  // keeps the size the widget has
  void SetFont(QWidget* widget, const QFont& logical);
  void SetPicture(QLabel* label, const QImage& logical);
  void SetLineWidth(QFrame* frame, int logical);

  // The design's rectangle of an element placed through here.
  QRect logical(const QWidget* widget) const;
  QFont Scaled(const QFont& logical) const;
  // A position in the root (a mouse position) in design pixels.
  QPoint ToLogical(QPoint rootPosition) const;
  // Sets a painter on the root (or an element) up to draw in design pixels: whole-pixel
  // enlargement, no smoothing. `onRoot` adds the fullscreen origin.
  void Prepare(QPainter& painter, bool onRoot) const;

 private:
  struct Entry {
    QPointer<QWidget> widget;
    std::optional<QRect> rect;
    std::optional<QPoint> position;
    std::optional<QFont> font;
    QImage picture;
    int lineWidth = -1;
  };
  Entry& EntryFor(QWidget* widget);
  void Apply(Entry& entry) const;
  QPoint Offset(const QWidget* widget) const;

  QWidget* root_;
  int factor_ = 1;
  QPoint origin_;
  QSize rootSize_;
  std::vector<Entry> entries_;
};

}  // namespace moriva
