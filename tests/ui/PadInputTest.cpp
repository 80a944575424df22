#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <string>
#include <utility>
#include <vector>

#include "game/ItemDialogModel.h"
#include "support/FakeControllerSource.h"
#include "platform/KeyCodes.h"
#include "ui/PadInput.h"
#include "ui/frmGetItem.h"

namespace moriva {
namespace {

class PadInputTest : public testing::Test {
 protected:
  PadInputTest()
      : input(pad, [this](int key, bool down) { keys.emplace_back(key, down); }) {}

  // Presses and lets go of a button on the next turns of the event loop.
  void TapLater(PadButton button) {
    QTimer::singleShot(0, [this, button] {
      pad.state.set(button, true);
      input.Poll();
      pad.state.set(button, false);
      input.Poll();
    });
  }

  test::FakeControllerSource pad;
  std::vector<std::pair<int, bool>> keys;
  PadInput input;
};

struct AnswerCase {
  const char* name;
  PadButton button;
  QMessageBox::StandardButton answer;
};

class PadAnswersQuestion : public PadInputTest, public testing::WithParamInterface<AnswerCase> {};

TEST_P(PadAnswersQuestion, FaceButtonAnswersTheBox) {
  QMessageBox box(QMessageBox::Question, "Moriva", "ロードしますか？", QMessageBox::Yes | QMessageBox::No);
  TapLater(GetParam().button);
  EXPECT_EQ(box.exec(), GetParam().answer);
  // Only the release reached the game: the press belonged to the box.
  for (const auto& [key, down] : keys) EXPECT_FALSE(down) << key;
}

INSTANTIATE_TEST_SUITE_P(Buttons, PadAnswersQuestion,
                         testing::Values(AnswerCase{"BottomIsYes", PadButton::Bottom, QMessageBox::Yes},
                                         AnswerCase{"RightIsNo", PadButton::Right, QMessageBox::No}),
                         [](const testing::TestParamInfo<AnswerCase>& param) { return std::string(param.param.name); });

TEST_F(PadInputTest, BottomButtonClicksTheItemDialogThroughToTheEnd) {
  std::int32_t phase = 0;
  frmGetItem dialog(0, phase, [](int) {});
  // Each tap is one OK: the first reveals the description, the second closes.
  QTimer taps;
  int tapped = 0;
  QObject::connect(&taps, &QTimer::timeout, [&] {
    ++tapped;
    pad.state.set(PadButton::Bottom, tapped % 2 == 1);
    input.Poll();
  });
  taps.start(5);
  dialog.exec();
  EXPECT_TRUE(dialog.model().closed());
  EXPECT_LE(tapped, 40);
}

}  // namespace
}  // namespace moriva
