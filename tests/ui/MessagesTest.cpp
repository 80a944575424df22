// The game's messages as shown: the item dialog and the ending.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include "game/Ending.h"
#include "game/Game.h"
#include "platform/Pictures.h"
#include "support/RecordingGameHost.h"
#include "ui/EndingView.h"
#include "ui/MessageLabel.h"
#include "ui/frmGetItem.h"
#include "world/basMoriva.h"

namespace moriva {
namespace {

struct frmGetItemTest : ::testing::Test {
  static void Silent(int) {}
  static void RevealAll(frmGetItem& dialog) {
    for (int guard = 0; dialog.tmrMS()->isActive() && guard < 1000; ++guard) dialog.tmrMS_Timer();
  }
  std::int32_t colorPhase = 0;
};

TEST_F(frmGetItemTest, LayoutFontsAndColoursFollowTheDesign) {
  frmGetItem dialog(0, colorPhase, Silent);
  EXPECT_EQ(dialog.size(), QSize(246, 109));
  EXPECT_EQ(dialog.picItem()->geometry(), QRect(8, 8, 32, 32));
  EXPECT_EQ(dialog.lblMS()->geometry(), QRect(56, 8, 181, 57));
  EXPECT_EQ(dialog.lblMS2()->geometry(), QRect(59, 11, 181, 57));  // the shadow
  EXPECT_EQ(dialog.cmdOK()->geometry(), QRect(168, 73, 73, 33));
  EXPECT_EQ(std::pair(dialog.lblMS()->font().family(), dialog.lblMS()->font().pointSizeF()), std::pair(QString("ＭＳ Ｐゴシック"), 14.25));
  EXPECT_EQ(dialog.lblMS()->palette().color(QPalette::WindowText), QColor(0, 0, 128));
  EXPECT_EQ(dialog.lblMS2()->palette().color(QPalette::WindowText), QColor(192, 192, 255));
  EXPECT_TRUE(dialog.cmdOK()->styleSheet().contains("#c0ffc0"));  // design back colour
  EXPECT_EQ(std::pair(dialog.tmrMS()->interval(), dialog.tmrButtonColor()->interval()), std::pair(30, 50));
}

// The model's reveal, shown: a lone carriage return breaks the line, the shadow follows.
TEST_F(frmGetItemTest, BlueKeyRevealsItsNameOnTwoLinesAndOkTakesFocusOnceAllIsShown) {
  frmGetItem dialog(0, colorPhase, Silent);
  EXPECT_EQ(dialog.windowTitle(), "たからばこ");
  for (int i = 0; i < 5; ++i) dialog.tmrMS_Timer();
  EXPECT_EQ(dialog.messageText(), "青のカギ\n");
  EXPECT_EQ(dialog.lblMS2()->text(), dialog.lblMS()->text());
  RevealAll(dialog);
  EXPECT_NE(dialog.cmdOK()->focusPolicy(), Qt::NoFocus);
  dialog.tmrButtonColor_Timer();
  EXPECT_TRUE(dialog.cmdOK()->styleSheet().contains("#faaea6"));  // RGB(250, 174, 166)
  dialog.cmdOK()->click();
  EXPECT_FALSE(dialog.tmrButtonColor()->isActive());
}

// The first column with ink of a message label drawing black on white.
int FirstInkColumn(const QString& text) {
  MessageLabel label(18);
  label.resize(181, 57);
  QFont font(QStringLiteral("IPAPGothic"));
  font.setPixelSize(19);
  label.setFont(font);
  label.setText(text);
  const QImage image = label.grab().toImage();
  for (int x = 0; x < image.width(); ++x)
    for (int y = 0; y < image.height(); ++y)
      if (qGray(image.pixel(x, y)) < 128) return x;
  return -1;
}

TEST(MessageLabel, AFullWidthSpaceIsDrawnFullWidth) {
  const int afterSpace = FirstInkColumn(QStringLiteral(" X"));
  ASSERT_GE(afterSpace, 0);
  EXPECT_GE(FirstInkColumn(QStringLiteral("\u3000X")) - afterSpace, 5) << "an em wide, an ordinary space far less";
}

TEST_F(frmGetItemTest, IconsComeFromTheItemPicturesAndTheSpriteSheet) {
  const Surface sprites = LoadPicture("sprites");
  const std::tuple<const char*, int, Surface, int, int> icons[] = {  // the item, the picture, where in it
      {"blue key", 3, LoadPicture("item3"), 0, 0},
      {"memo", 104, sprites, 192, 288},
      {"empty box", -1, sprites, 224, 288},
      {"unknown item", 200, sprites, 224, 288}};
  for (const auto& [name, itemNo, picture, x, y] : icons) {
    ASSERT_FALSE(picture.empty()) << name;
    frmGetItem dialog(itemNo, colorPhase, Silent);
    const QImage shown = dialog.picItem()->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(32, 32)) << name;
    for (int p = 0; p < 32; p += 5) EXPECT_EQ(shown.pixel(p, 31 - p) & 0xFFFFFFu, picture.pixel(x + p, y + 31 - p)) << name;
  }
}

TEST_F(frmGetItemTest, EnterPressesOkOnlyOnceFocusedAndNeverByRepeat) {
  frmGetItem dialog(-1, colorPhase, Silent);
  const auto enter = [&](bool autoRepeat) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), autoRepeat);
    QApplication::sendEvent(&dialog, &press);
  };
  dialog.show();
  dialog.activateWindow();
  QApplication::processEvents();
  enter(false);  // still revealing: the button has no focus
  EXPECT_TRUE(dialog.isVisible());
  RevealAll(dialog);
  enter(true);  // a repeat of a key held since before
  EXPECT_TRUE(dialog.isVisible());
  if (!dialog.cmdOK()->hasFocus()) GTEST_SKIP() << "no keyboard focus without an active window";
  enter(false);
  EXPECT_FALSE(dialog.isVisible());
}

// A stand-in for the game window with the elements the ending touches.
struct EndingViewTest : ::testing::Test {
  EndingViewTest() {
    window.setFixedSize(512, 340);
    picFrame->setGeometry(8, 4, 320, 320);
    picFrame->setFrameShape(QFrame::Box);
    for (int i = 0; i < 3; ++i) panel.push_back(new QLabel("panel", &window));
    view = new EndingView(game, &window, picFrame, panel, 23);
    host.onEndingView = [this] { view->Begin(); };
  }

  QImage Render() {
    QImage image(window.size(), QImage::Format_RGB32);
    QPainter painter(&image);
    view->Paint(painter);
    return image;
  }

  basMoriva module;
  Surface sprites{256, 768}, tiles{256, 768};
  RecordingGameHost host;
  Game game{module, tiles, sprites, host, "/nowhere"};
  QWidget window;
  QFrame* picFrame = new QFrame(&window);
  std::vector<QWidget*> panel;
  EndingView* view = nullptr;
};

TEST_F(EndingViewTest, MeasuresTheWindowThenBeginShowsTheEndScreenAndStartsTheTimer) {
  const EndingScreen& screen = game.state().Ending;
  EXPECT_EQ(std::tuple(screen.ClientHeight, screen.CaptionHeight, screen.TextColumn), std::tuple(340, 23, 328));
  EXPECT_FALSE(view->active() || view->lblEnding()->isVisible());
  EXPECT_EQ(view->lblEnding()->y(), 408);

  window.show();
  ShowEnding(game);
  EXPECT_TRUE(view->active() && view->tmrEnding()->isActive());
  EXPECT_EQ(std::pair(picFrame->frameShape(), view->tmrEnding()->interval()), std::pair(QFrame::NoFrame, 60));
  for (QWidget* element : panel) EXPECT_FALSE(element->isVisible());
  EXPECT_TRUE(view->lblEnding()->text().startsWith("やっと、きた。\n\n\n"));
  EXPECT_EQ(std::pair(view->lblEnding()->x(), view->lblEnding()->isVisible()), std::pair(328, false));
  EXPECT_EQ(Render().pixel(100, 335), qRgb(0, 0, 120));
  view->tmrEnding_Timer();
  EXPECT_EQ(std::pair(view->lblEnding()->y(), view->lblEnding()->isVisible()), std::pair(340 + 23 - 2, true));
}

TEST_F(EndingViewTest, TickFourHundredPrintsInWhiteOnTheBaselinesAndStopsTheTimer) {
  window.show();
  ShowEnding(game);
  for (int i = 0; i < 399; ++i) view->tmrEnding_Timer();
  EXPECT_TRUE(view->tmrEnding()->isActive());
  view->tmrEnding_Timer();
  EXPECT_FALSE(view->tmrEnding()->isActive() || view->lblEnding()->isVisible());

  const QImage image = Render();
  const int line = game.state().Ending.PrintLineHeight;
  // Smoothed glyph edges blend into the blue; only the text brings red into the picture.
  auto whiteIn = [&](int x0, int y0, int x1, int y1) {
    int count = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) count += qRed(image.pixel(x, y)) > 160 ? 1 : 0;
    return count;
  };
  EXPECT_GT(whiteIn(328, 48, 512, 48 + line), 20);                        // the first line
  EXPECT_EQ(whiteIn(0, 48 + 6 * line, 512, 48 + 7 * line), 0);            // the empty seventh
  EXPECT_GT(whiteIn(328, 48 + 8 * line, 512, 48 + 9 * line), 20);         // the ninth
  EXPECT_EQ(whiteIn(0, 0, 328, 340) + whiteIn(328, 0, 512, 48), 0);       // nothing left of or above the text
}

}  // namespace
}  // namespace moriva
