#include <gtest/gtest.h>

#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include "game/Ending.h"
#include "ui/EndingView.h"
#include "game/Game.h"
#include "support/RecordingGameHost.h"
#include "world/basMoriva.h"

namespace moriva {
namespace {

// A stand-in for the game window with the elements the ending touches.
class EndingViewTest : public ::testing::Test {
 protected:
  EndingViewTest()
      : sprites(256, 768), tiles(256, 768), game(module, tiles, sprites, host, "/nowhere") {
    window.setFixedSize(512, 340);
    picFrame = new QFrame(&window);
    picFrame->setGeometry(8, 4, 320, 320);
    picFrame->setFrameShape(QFrame::Box);
    for (int i = 0; i < 3; ++i) panel.push_back(new QLabel("panel", &window));
    view = new EndingView(game, &window, picFrame, panel, 23);
    host.onEndingView = [this] { view->Begin(); };
  }

  QImage Render() {
    QImage image(window.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    view->Paint(painter);
    return image;
  }

  basMoriva module;
  Surface sprites;
  Surface tiles;
  RecordingGameHost host;
  Game game;
  QWidget window;
  QFrame* picFrame = nullptr;
  std::vector<QWidget*> panel;
  EndingView* view = nullptr;
};

TEST_F(EndingViewTest, MeasuresTheWindowThenBeginShowsTheEndScreenAndStartsTheTimer) {
  const EndingScreen& screen = game.state().Ending;
  EXPECT_EQ(screen.ClientHeight, 340);
  EXPECT_EQ(screen.CaptionHeight, 23);
  EXPECT_EQ(screen.TextColumn, 328);
  EXPECT_GT(screen.PrintLineHeight, 8);
  EXPECT_FALSE(view->active());
  EXPECT_FALSE(view->lblEnding()->isVisible());
  EXPECT_EQ(view->lblEnding()->y(), 408);

  window.show();
  ShowEnding(game);
  EXPECT_TRUE(view->active());
  EXPECT_EQ(picFrame->frameShape(), QFrame::NoFrame);
  for (QWidget* element : panel) EXPECT_FALSE(element->isVisible());
  EXPECT_TRUE(view->tmrEnding()->isActive());
  EXPECT_EQ(view->tmrEnding()->interval(), 60);
  EXPECT_TRUE(view->lblEnding()->text().startsWith("やっと、きた。\n\n\n"));
  EXPECT_EQ(view->lblEnding()->x(), 328);
  EXPECT_FALSE(view->lblEnding()->isVisible());
  EXPECT_EQ(Render().pixel(100, 335), qRgb(0, 0, 120));

  view->tmrEnding_Timer();
  EXPECT_TRUE(view->lblEnding()->isVisible());
  EXPECT_EQ(view->lblEnding()->y(), 340 + 23 - 2);
}

TEST_F(EndingViewTest, TickFourHundredPrintsInWhiteAndStopsTheTimer) {
  window.show();
  ShowEnding(game);
  for (int i = 0; i < 399; ++i) view->tmrEnding_Timer();
  EXPECT_TRUE(view->tmrEnding()->isActive());
  view->tmrEnding_Timer();
  EXPECT_FALSE(view->tmrEnding()->isActive());
  EXPECT_FALSE(view->lblEnding()->isVisible());

  const QImage image = Render();
  const int lineHeight = game.state().Ending.PrintLineHeight;
  // Smoothed glyph edges blend into the blue; only the text brings red into the picture.
  auto whiteIn = [&](int x0, int y0, int x1, int y1) {
    int count = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) count += qRed(image.pixel(x, y)) > 160 ? 1 : 0;
    return count;
  };
  EXPECT_GT(whiteIn(328, 48, 512, 48 + lineHeight), 20);                    // first line
  EXPECT_EQ(whiteIn(0, 48 + 6 * lineHeight, 512, 48 + 7 * lineHeight), 0);  // the empty seventh
  EXPECT_GT(whiteIn(328, 48 + 8 * lineHeight, 512, 48 + 9 * lineHeight), 20);  // the ninth
  EXPECT_EQ(whiteIn(0, 0, 328, 340), 0);  // nothing left of the text column
  EXPECT_EQ(whiteIn(328, 0, 512, 48), 0);
}

}  // namespace
}  // namespace moriva
