#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <vector>

#include "platform/Pictures.h"
#include "ui/MessageLabel.h"
#include "ui/frmGetItem.h"

namespace moriva {
namespace {

class frmGetItemTest : public ::testing::Test {
 protected:
  ItemDialogModel::EffectPlayer Recorder() {
    return [this](int effect) { effects.push_back(effect); };
  }
  static void RevealAll(frmGetItem& dialog) {
    for (int guard = 0; dialog.tmrMS()->isActive() && guard < 1000; ++guard) dialog.tmrMS_Timer();
  }
  static void SendKey(QWidget* target, int key, bool autoRepeat) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(), autoRepeat);
    QApplication::sendEvent(target, &press);
  }

  std::int32_t colorPhase = 0;
  std::vector<int> effects;
};

TEST_F(frmGetItemTest, LayoutFontsAndColoursFollowTheDesign) {
  frmGetItem dialog(0, colorPhase, Recorder());
  EXPECT_EQ(dialog.size(), QSize(246, 109));
  EXPECT_EQ(dialog.picItem()->geometry(), QRect(8, 8, 32, 32));
  EXPECT_EQ(dialog.lblMS()->geometry(), QRect(56, 8, 181, 57));
  EXPECT_EQ(dialog.lblMS2()->geometry(), QRect(59, 11, 181, 57));  // the shadow
  EXPECT_EQ(dialog.cmdOK()->geometry(), QRect(168, 73, 73, 33));
  EXPECT_DOUBLE_EQ(dialog.lblMS()->font().pointSizeF(), 14.25);
  EXPECT_EQ(dialog.lblMS()->font().family(), QString("ＭＳ Ｐゴシック"));
  EXPECT_EQ(dialog.lblMS()->palette().color(QPalette::WindowText), QColor(0, 0, 128));
  EXPECT_EQ(dialog.lblMS2()->palette().color(QPalette::WindowText), QColor(192, 192, 255));
  EXPECT_TRUE(dialog.cmdOK()->styleSheet().contains("#c0ffc0"));  // design back colour
  EXPECT_EQ(dialog.tmrMS()->interval(), 30);
  EXPECT_EQ(dialog.tmrButtonColor()->interval(), 50);
}

// The model's reveal, shown: a lone carriage return breaks the line, the shadow follows.
TEST_F(frmGetItemTest, BlueKeyRevealsNameOnTwoLinesThenDescription) {
  frmGetItem dialog(0, colorPhase, Recorder());
  EXPECT_EQ(dialog.windowTitle(), "たからばこ");
  EXPECT_EQ(dialog.messageText(), ".....");
  for (int i = 0; i < 5; ++i) dialog.tmrMS_Timer();
  EXPECT_EQ(dialog.messageText(), "青のカギ\n");
  EXPECT_EQ(dialog.lblMS2()->text(), dialog.lblMS()->text());
  RevealAll(dialog);
  EXPECT_NE(dialog.cmdOK()->focusPolicy(), Qt::NoFocus);
  dialog.tmrButtonColor_Timer();
  EXPECT_TRUE(dialog.cmdOK()->styleSheet().contains("#faaea6"));  // RGB(250, 174, 166)
  dialog.cmdOK()->click();
  EXPECT_FALSE(dialog.tmrButtonColor()->isActive());
  RevealAll(dialog);
  EXPECT_EQ(dialog.messageText(), "これで青色のとびらが開くぞ！");
}

TEST_F(frmGetItemTest, BothLabelsHoldTheMemoCharacterForCharacter) {
  frmGetItem dialog(106, colorPhase, Recorder());
  RevealAll(dialog);
  dialog.cmdOK_Click();  // from the notice to the memo itself
  RevealAll(dialog);
  const std::string stored = "たからばこは　ひとくいばこだった！！　うそ。";  // two full-width spaces
  EXPECT_EQ(dialog.lblMS()->text().toStdString(), stored);
  EXPECT_EQ(dialog.lblMS2()->text().toStdString(), stored);
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
  const Surface item3 = LoadPicture("item3");
  {
    frmGetItem dialog(3, colorPhase, Recorder());
    if (!item3.empty()) {
      const QImage shown = dialog.picItem()->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
      ASSERT_EQ(shown.size(), QSize(32, 32));
      EXPECT_EQ(shown.pixel(16, 16) & 0xFFFFFFu, item3.pixel(16, 16));
    }
  }
  if (sprites.empty()) GTEST_SKIP() << "no sprite sheet in this build";
  for (auto [itemNo, x, y] : {std::tuple{104, 192, 288}, {-1, 224, 288}, {200, 224, 288}}) {
    frmGetItem dialog(itemNo, colorPhase, Recorder());
    const QImage shown = dialog.picItem()->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(32, 32)) << itemNo;
    for (int p = 0; p < 32; p += 5) {
      EXPECT_EQ(shown.pixel(p, 31 - p) & 0xFFFFFFu, sprites.pixel(x + p, y + 31 - p)) << itemNo;
    }
  }
}

TEST_F(frmGetItemTest, EnterPressesOkOnlyOnceFocusedAndNeverByRepeat) {
  frmGetItem dialog(-1, colorPhase, Recorder());
  dialog.show();
  dialog.activateWindow();
  QApplication::processEvents();
  SendKey(&dialog, Qt::Key_Return, false);  // still revealing: the button has no focus
  EXPECT_TRUE(dialog.isVisible());
  RevealAll(dialog);
  SendKey(&dialog, Qt::Key_Return, true);   // a repeat of a key held since before
  EXPECT_TRUE(dialog.isVisible());
  if (!dialog.cmdOK()->hasFocus()) GTEST_SKIP() << "no keyboard focus without an active window";
  SendKey(&dialog, Qt::Key_Return, false);
  EXPECT_FALSE(dialog.isVisible());
}

TEST_F(frmGetItemTest, ShowModalReturnsAfterTheLastOkAndKeepsThePhase) {
  // Presses OK whenever the dialog is waiting, as a player would.
  QTimer presser;
  presser.setInterval(5);
  QObject::connect(&presser, &QTimer::timeout, [&] {
    if (auto* dialog = qobject_cast<frmGetItem*>(QApplication::activeModalWidget())) {
      if (!dialog->tmrMS()->isActive() && dialog->tmrButtonColor()->isActive() &&
          dialog->model().ColorPhase() >= 8) {
        dialog->cmdOK()->click();
      }
    }
  });
  presser.start();
  frmGetItem::ShowModal(0, colorPhase, Recorder(), nullptr);
  presser.stop();
  EXPECT_EQ(effects, (std::vector<int>{11, 1, 1}));
  EXPECT_GE(colorPhase, 8);
  EXPECT_EQ(colorPhase % 4, 0);
}

}  // namespace
}  // namespace moriva
