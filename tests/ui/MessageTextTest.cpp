#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QTimer>

#include "ui/MessageLabel.h"
#include "ui/frmGetItem.h"

namespace moriva {
namespace {

TEST(MessageText, BothLabelsHoldTheMemoCharacterForCharacter) {
  std::int32_t phase = 0;
  frmGetItem dialog(106, phase, [](int) {});
  const auto revealAll = [&] {
    for (int guard = 0; dialog.tmrMS()->isActive() && guard < 1000; ++guard) dialog.tmrMS_Timer();
  };
  revealAll();
  dialog.cmdOK_Click();  // from the notice to the memo itself
  revealAll();
  const std::string stored = "たからばこは　ひとくいばこだった！！　うそ。";  // two full-width spaces
  EXPECT_EQ(dialog.lblMS()->text().toStdString(), stored);
  EXPECT_EQ(dialog.lblMS2()->text().toStdString(), stored);
}

// The first column with ink of a label drawing black on white.
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

TEST(MessageText, AFullWidthSpaceIsDrawnFullWidth) {
  const int afterSpace = FirstInkColumn(QStringLiteral(" X"));
  ASSERT_GE(afterSpace, 0);
  EXPECT_GE(FirstInkColumn(QStringLiteral("\u3000X")) - afterSpace, 5) << "an em wide, an ordinary space far less";
}

}  // namespace
}  // namespace moriva
