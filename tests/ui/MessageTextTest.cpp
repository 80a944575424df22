#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QTimer>

#include "ui/MessageLabel.h"
#include "ui/frmGetItem.h"

namespace moriva {
namespace {

constexpr char16_t kIdeographicSpace = u'\u3000';

struct MemoCase {
  const char* name;
  int itemNo;
  const char* stored;
};
void PrintTo(const MemoCase& c, std::ostream* os) { *os << c.name; }

class MessageTextTest : public ::testing::TestWithParam<MemoCase> {};

TEST_P(MessageTextTest, BothLabelsHoldTheStoredCharacters) {
  std::int32_t phase = 0;
  frmGetItem dialog(GetParam().itemNo, phase, [](int) {});
  const auto revealAll = [&] {
    for (int guard = 0; dialog.tmrMS()->isActive() && guard < 1000; ++guard) dialog.tmrMS_Timer();
  };
  revealAll();
  dialog.cmdOK_Click();  // from the notice to the memo itself
  revealAll();
  EXPECT_EQ(dialog.lblMS()->text().toStdString(), GetParam().stored);
  EXPECT_EQ(dialog.lblMS2()->text().toStdString(), GetParam().stored);
  EXPECT_EQ(dialog.lblMS()->textFormat(), Qt::PlainText);
}

INSTANTIATE_TEST_SUITE_P(
    Memos, MessageTextTest,
    ::testing::Values(MemoCase{"TwoFullWidthSpaces", 106, "たからばこは　ひとくいばこだった！！　うそ。"},
                      MemoCase{"FullWidthLetterAndBrackets", 104, "Ｒを上げるには、まず「よろ」のあいさつから。"}),
    [](const ::testing::TestParamInfo<MemoCase>& c) { return std::string(c.param.name); });

// The first column with ink, drawing black on white.
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
  const int afterFullWidth = FirstInkColumn(QString(kIdeographicSpace) + QStringLiteral("X"));
  ASSERT_GE(afterSpace, 0);
  EXPECT_GE(afterFullWidth - afterSpace, 5) << "an ideographic space is an em wide, an ordinary one far less";
}

TEST(MessageLabel, LinesStandTheirStepApartAndLineFeedsBreak) {
  MessageLabel label(18);
  QFont font(QStringLiteral("IPAPGothic"));
  font.setPixelSize(19);
  label.setFont(font);
  label.setText(QStringLiteral("A\nB\nC"));
  EXPECT_EQ(label.heightForWidth(181), 2 * 18 + QFontMetrics(font).height());
  label.setText(QString());
  EXPECT_EQ(label.heightForWidth(181), 0);
}

}  // namespace
}  // namespace moriva
