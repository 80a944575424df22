#pragma once

#include <QWidget>
#include <functional>

#include "platform/Surface.h"

class QFrame;

namespace moriva {

class SurfaceView;

// The parts palette: the tile sheet, on which a release of any button picks a tile. Its
// picture is the program's one tile sheet, which the editor and the game draw from, so the
// window lives (hidden while the game runs) for the whole run.
class frmParts : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 261;
  static constexpr int kClientHeight = 741;
  static constexpr int kPictureTop = -12;  // the sheet's top edge lies above the client area

  explicit frmParts(QWidget* parent = nullptr);

  const Surface& tileSheet() const { return sheet_; }
  SurfaceView* picParts() const { return picParts_; }
  QFrame* shpSelect() const { return shpSelect_; }

  // The editor decides what a release picks; the palette moves its marker when told.
  using Picker = std::function<void(int button, double x, double y)>;
  void setPicker(Picker picker) { picker_ = std::move(picker); }
  void MoveMarker(int x, int y);

  void picParts_MouseUp(int button, double x, double y);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Surface sheet_;
  SurfaceView* picParts_ = nullptr;
  QFrame* shpSelect_ = nullptr;
  Picker picker_;
};

}  // namespace moriva
