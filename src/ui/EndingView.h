#pragma once

#include <QFont>
#include <QObject>
#include <vector>

class QLabel;
class QPainter;
class QTimer;
class QWidget;

namespace moriva {

class Game;
class PixelScale;

// The ending on the game window: the narration label lblEnding, the 60 ms timer tmrEnding,
// the plain back colour and the printed closing lines. It copies the game's end screen
// (GameState::Ending) onto the window; the ending's rules themselves have no widgets.
class EndingView : public QObject {
  Q_OBJECT

 public:
  // window: the game window, which the ending clears and prints on. picFrame: the view
  // frame, whose border goes. playPanel: the elements the ending hides (block map, item
  // icons, beta label, frame rate). captionHeight: the window caption's height. scale: the
  // window's scale, which places the label and sets its font; none: the window is shown at
  // its design size.
  EndingView(Game& game, QWidget* window, QWidget* picFrame, std::vector<QWidget*> playPanel,
             int captionHeight, PixelScale* scale = nullptr);

  // Measures the window for the ending's layout. Call once the window has its size.
  void MeasureWindow();
  // Shows the end screen that ShowEnding set up and starts tmrEnding.
  void Begin();
  // Whether the end screen is up: the window then paints through Paint only.
  bool active() const;
  // Paints the window's background: the back colour and the printed lines, in design
  // pixels (the window's painter is scaled).
  void Paint(QPainter& painter) const;

  QLabel* lblEnding() const { return lblEnding_; }
  QTimer* tmrEnding() const { return tmrEnding_; }
  const QFont& font() const { return font_; }

 public slots:
  void tmrEnding_Timer();

 private:
  void ShowLabel();
  void MoveLabel(int left, int top);

  Game& game_;
  QWidget* window_;
  QWidget* picFrame_;
  std::vector<QWidget*> playPanel_;
  int captionHeight_;
  PixelScale* scale_;
  QFont font_;
  QLabel* lblEnding_;
  QTimer* tmrEnding_;
  int paintedCount_ = 0;
};

}  // namespace moriva
