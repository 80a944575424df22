#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/ItemDialogModel.h"

namespace moriva {
namespace {

constexpr const char* kBlueKey = "青のカギ";
constexpr const char* kBlueKeyDesc = "これで青色のとびらが開くぞ！";

class ItemDialogModelTest : public ::testing::Test {
 protected:
  ItemDialogModel MakeDialog() {
    return ItemDialogModel(colorPhase, [this](int effect) { effects.push_back(effect); });
  }
  static void RevealAll(ItemDialogModel& dialog) {
    for (int guard = 0; dialog.revealRunning() && guard < 1000; ++guard) dialog.RevealTick();
  }

  std::int32_t colorPhase = 0;
  std::vector<int> effects;
};

TEST_F(ItemDialogModelTest, ColourCycleFiguresFromPhaseZero) {
  EXPECT_EQ(ItemDialogModel::ColorAtPhase(4), Rgb(250, 174, 166));
  EXPECT_EQ(ItemDialogModel::ColorAtPhase(8), Rgb(246, 178, 162));
  EXPECT_EQ(ItemDialogModel::ColorAtPhase(12), Rgb(242, 182, 158));
  EXPECT_EQ(ItemDialogModel::ColorAtPhase(128), Rgb(128, 212, 212));
  EXPECT_EQ(ItemDialogModel::ColorAtPhase(256), Rgb(254, 170, 170));

  // Every channel stays a triangle wave between 128 and 254 over a whole period.
  for (std::int32_t phase = 0; phase < 512; phase += 4) {
    const Pixel c = ItemDialogModel::ColorAtPhase(phase);
    for (int shift : {16, 8, 0}) {
      const int channel = static_cast<int>((c >> shift) & 0xFF);
      EXPECT_GE(channel, 128);
      EXPECT_LE(channel, 254);
    }
  }
}

TEST_F(ItemDialogModelTest, ColourTicksFromPhaseZeroGiveTheFirstThreeColours) {
  auto dialog = MakeDialog();
  dialog.Open(ItemDialogModel::kEmptyBox);
  EXPECT_EQ(dialog.buttonColor(), ItemDialogModel::kDesignButtonColor);
  RevealAll(dialog);
  ASSERT_TRUE(dialog.colorRunning());
  dialog.ColorTick();
  EXPECT_EQ(dialog.buttonColor(), Rgb(250, 174, 166));
  dialog.ColorTick();
  EXPECT_EQ(dialog.buttonColor(), Rgb(246, 178, 162));
  dialog.ColorTick();
  EXPECT_EQ(dialog.buttonColor(), Rgb(242, 182, 158));
  EXPECT_EQ(colorPhase, 12);
}

TEST_F(ItemDialogModelTest, PhaseWrapsAt512InStepsOfFour) {
  colorPhase = 508;
  auto dialog = MakeDialog();
  dialog.Open(ItemDialogModel::kEmptyBox);
  RevealAll(dialog);
  dialog.ColorTick();
  EXPECT_EQ(colorPhase, 0);
  EXPECT_EQ(dialog.buttonColor(), ItemDialogModel::ColorAtPhase(0));
}

TEST_F(ItemDialogModelTest, ColourCyclesOnlyOnceTheMessageIsComplete) {
  auto dialog = MakeDialog();
  dialog.Open(ItemDialogModel::kEmptyBox);
  dialog.ColorTick();
  dialog.RevealTick();
  dialog.ColorTick();
  EXPECT_EQ(colorPhase, 0);
  EXPECT_EQ(dialog.buttonColor(), ItemDialogModel::kDesignButtonColor);
  EXPECT_FALSE(dialog.okFocused());
}

TEST_F(ItemDialogModelTest, ColourPhaseCarriesOverBetweenShowingsButTheColourStartsAtTheDesign) {
  {
    auto first = MakeDialog();
    first.Open(ItemDialogModel::kEmptyBox);
    RevealAll(first);
    for (int i = 0; i < 5; ++i) first.ColorTick();
    first.PressOk();
    ASSERT_TRUE(first.closed());
  }
  EXPECT_EQ(colorPhase, 20);

  auto second = MakeDialog();
  second.Open(ItemDialogModel::kEmptyBox);
  EXPECT_EQ(second.buttonColor(), ItemDialogModel::kDesignButtonColor);
  RevealAll(second);
  second.ColorTick();
  EXPECT_EQ(colorPhase, 24);
  EXPECT_EQ(second.buttonColor(), ItemDialogModel::ColorAtPhase(24));
}

TEST_F(ItemDialogModelTest, FourCharacterMessageIsCompleteAfterFourRevealTicks) {
  auto dialog = MakeDialog();
  dialog.Open(0, "ABCD", "desc");  // "ABCD" CR "を手に入れた!": the name alone is four units
  EXPECT_EQ(dialog.labelText(), u".....");  // design text until the first tick
  std::vector<std::u16string> shown;
  for (int i = 0; i < 4; ++i) {
    dialog.RevealTick();
    shown.push_back(dialog.labelText());
  }
  EXPECT_EQ(shown, (std::vector<std::u16string>{u"A", u"AB", u"ABC", u"ABCD"}));

  // The dud message "からっぽ!" is five units: complete after exactly five ticks.
  auto empty = MakeDialog();
  empty.Open(ItemDialogModel::kEmptyBox);
  for (int i = 0; i < 4; ++i) empty.RevealTick();
  EXPECT_TRUE(empty.revealRunning());
  empty.RevealTick();
  EXPECT_FALSE(empty.revealRunning());
  EXPECT_EQ(empty.labelText(), u"からっぽ!");
  EXPECT_EQ(empty.MsgCount(), 5);
  EXPECT_TRUE(empty.okFocused());
  EXPECT_TRUE(empty.colorRunning());
}

TEST_F(ItemDialogModelTest, FourJapaneseCharactersAreFourTextUnits) {
  auto dialog = MakeDialog();
  dialog.Open(0, kBlueKey, kBlueKeyDesc);
  for (int i = 0; i < 4; ++i) dialog.RevealTick();
  EXPECT_EQ(dialog.labelText(), u"青のカギ");
  dialog.RevealTick();
  EXPECT_EQ(dialog.labelText(), u"青のカギ\r");
}

TEST_F(ItemDialogModelTest, BlueKeyShowsNameThenDescription) {
  auto dialog = MakeDialog();
  dialog.Open(0, kBlueKey, kBlueKeyDesc);
  EXPECT_EQ(dialog.caption(), "たからばこ");
  EXPECT_EQ(dialog.icon(), ItemDialogModel::Icon::Item);
  EXPECT_EQ(dialog.iconItem(), 0);
  EXPECT_EQ(effects, std::vector<int>{11});
  EXPECT_EQ(dialog.MsgText(), u"青のカギ\rを手に入れた!");
  EXPECT_EQ(dialog.MsgNext(), u"これで青色のとびらが開くぞ！");

  RevealAll(dialog);
  EXPECT_EQ(dialog.MsgCount(), 12);
  EXPECT_EQ(dialog.labelText(), u"青のカギ\rを手に入れた!");
  dialog.ColorTick();
  const Pixel colourAtOk = dialog.buttonColor();

  dialog.PressOk();
  EXPECT_FALSE(dialog.closed());
  EXPECT_EQ(effects, (std::vector<int>{11, 1}));
  EXPECT_TRUE(dialog.MsgNext().empty());
  EXPECT_TRUE(dialog.revealRunning());
  EXPECT_FALSE(dialog.colorRunning());
  EXPECT_EQ(dialog.buttonColor(), colourAtOk);  // the button keeps its colour
  EXPECT_EQ(dialog.labelText(), u"青のカギ\rを手に入れた!");  // until the next tick

  dialog.RevealTick();
  EXPECT_EQ(dialog.labelText(), u"こ");
  RevealAll(dialog);
  EXPECT_EQ(dialog.labelText(), u"これで青色のとびらが開くぞ！");
  dialog.PressOk();
  EXPECT_TRUE(dialog.closed());
  EXPECT_EQ(effects, (std::vector<int>{11, 1, 1}));
}

TEST_F(ItemDialogModelTest, OkDuringTheRevealOfTheNameJumpsToTheDescription) {
  auto dialog = MakeDialog();
  dialog.Open(0, kBlueKey, kBlueKeyDesc);
  dialog.RevealTick();
  dialog.RevealTick();
  EXPECT_EQ(dialog.labelText(), u"青の");
  dialog.PressOk();
  EXPECT_EQ(dialog.MsgText(), u"これで青色のとびらが開くぞ！");
  EXPECT_EQ(dialog.MsgCount(), 0);
  dialog.RevealTick();
  EXPECT_EQ(dialog.labelText(), u"こ");
  EXPECT_FALSE(dialog.okFocused());  // never completed a message yet

  // OK during the description's reveal closes: there is no third message.
  dialog.PressOk();
  EXPECT_TRUE(dialog.closed());
  EXPECT_FALSE(dialog.revealRunning());
}

TEST_F(ItemDialogModelTest, EmptyBoxClosesWithOneOk) {
  auto dialog = MakeDialog();
  dialog.Open(ItemDialogModel::kEmptyBox);
  EXPECT_EQ(dialog.caption(), "たからばこ");
  EXPECT_EQ(dialog.icon(), ItemDialogModel::Icon::Dud);
  EXPECT_EQ(dialog.MsgText(), u"からっぽ!");
  EXPECT_TRUE(dialog.MsgNext().empty());
  EXPECT_EQ(effects, std::vector<int>{13});
  RevealAll(dialog);
  dialog.PressOk();
  EXPECT_TRUE(dialog.closed());
  EXPECT_EQ(effects, (std::vector<int>{13, 1}));
  dialog.PressOk();  // a second press after closing does nothing
  EXPECT_EQ(effects, (std::vector<int>{13, 1}));
}

TEST_F(ItemDialogModelTest, GoalNoticeHasItsOwnCaption) {
  auto dialog = MakeDialog();
  dialog.Open(ItemDialogModel::kGoalNotice);
  EXPECT_EQ(dialog.caption(), "ルナポロ");
  EXPECT_EQ(dialog.icon(), ItemDialogModel::Icon::Dud);
  EXPECT_EQ(dialog.MsgText(), u"お月見に必要なものが足りない！！");
  EXPECT_TRUE(dialog.MsgNext().empty());
  EXPECT_EQ(effects, std::vector<int>{13});

  // The next showing is a box again.
  auto next = MakeDialog();
  next.Open(ItemDialogModel::kEmptyBox);
  EXPECT_EQ(next.caption(), "たからばこ");
}

TEST_F(ItemDialogModelTest, MemoShowsNoticeThenText) {
  auto dialog = MakeDialog();
  dialog.Open(101);
  EXPECT_EQ(dialog.icon(), ItemDialogModel::Icon::Memo);
  EXPECT_EQ(dialog.caption(), "たからばこ");
  EXPECT_EQ(dialog.MsgText(), u"メモが入っていた。");
  EXPECT_EQ(dialog.MsgNext(), u"城の上に行くには、城の中央部分から。");
  EXPECT_EQ(effects, std::vector<int>{12});
  RevealAll(dialog);
  dialog.PressOk();
  RevealAll(dialog);
  EXPECT_EQ(dialog.labelText(), u"城の上に行くには、城の中央部分から。");
  dialog.PressOk();
  EXPECT_TRUE(dialog.closed());
}

TEST_F(ItemDialogModelTest, MemoTextsAreExact) {
  EXPECT_EQ(ItemDialogModel::MemoText(102), "すすきは、地中深くの大きな空洞の中に置く。");
  EXPECT_EQ(ItemDialogModel::MemoText(103), "ロープは、溶岩のはるか上に置く。");
  EXPECT_EQ(ItemDialogModel::MemoText(104), "Ｒを上げるには、まず「よろ」のあいさつから。");
  EXPECT_EQ(ItemDialogModel::MemoText(105), "よく見つけたね。あんたはえらい！！");
  // Two ideographic spaces.
  EXPECT_EQ(ItemDialogModel::MemoText(106), "たからばこは\u3000ひとくいばこだった！！\u3000うそ。");
  EXPECT_EQ(ItemDialogModel::MemoText(100), "");
  EXPECT_EQ(ItemDialogModel::MemoText(107), "");
}

TEST(Utf16FromUtf8Test, CountsSixteenBitUnits) {
  EXPECT_EQ(Utf16FromUtf8("A\rB"), u"A\rB");
  EXPECT_EQ(Utf16FromUtf8("すすき"), u"すすき");
  EXPECT_EQ(Utf16FromUtf8("\xF0\x9F\x8C\x95").size(), 2u);  // outside the BMP: a surrogate pair
  EXPECT_EQ(Utf16FromUtf8("a\xE3\x81"), u"a\uFFFD\uFFFD");    // cut-off sequence
  EXPECT_EQ(Utf16FromUtf8("\xFF"), u"\uFFFD");
}

}  // namespace
}  // namespace moriva
