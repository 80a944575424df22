#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/ItemDialogModel.h"

namespace moriva {
namespace {

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

TEST_F(ItemDialogModelTest, TheButtonColourCyclesInStepsOfFourOnlyOnceTheMessageIsComplete) {
  EXPECT_EQ(ItemDialogModel::ColorAtPhase(128), Rgb(128, 212, 212));
  colorPhase = 504;
  auto dialog = MakeDialog();
  dialog.Open(ItemDialogModel::kEmptyBox);
  dialog.RevealTick();
  dialog.ColorTick();  // not complete yet
  EXPECT_EQ(dialog.buttonColor(), ItemDialogModel::kDesignButtonColor);
  RevealAll(dialog);
  std::vector<Pixel> colours;
  for (int i = 0; i < 4; ++i) dialog.ColorTick(), colours.push_back(dialog.buttonColor());
  EXPECT_EQ(colours, (std::vector<Pixel>{Rgb(252, 166, 174), Rgb(254, 170, 170), Rgb(250, 174, 166), Rgb(246, 178, 162)}));
  EXPECT_EQ(colorPhase, 8);  // 504 + 4 wraps to 0 at 512; carried over to the next showing
}

// Every kind of box message: its caption, icon and sound; the text revealed one UTF-16 unit
// a tick after the design's "....." (a line break is one unit), the reveal ending on its
// last unit; a second page where there is one; the click on each OK; nothing after closing.
TEST_F(ItemDialogModelTest, EveryMessageHasItsCaptionIconTextPagesAndSounds) {
  using enum ItemDialogModel::Icon;
  struct Case {
    int itemNo;
    const char* caption;
    ItemDialogModel::Icon icon;
    std::u16string text, next;
    std::vector<int> effects;
  } const cases[] = {
      {0, "たからばこ", Item, u"青のカギ\rを手に入れた!", u"これで青色のとびらが開くぞ！", {11, 1, 1}},
      {ItemDialogModel::kEmptyBox, "たからばこ", Dud, u"からっぽ!", u"", {13, 1}},
      {ItemDialogModel::kGoalNotice, "ルナポロ", Dud, u"お月見に必要なものが足りない！！", u"", {13, 1}},
      {101, "たからばこ", Memo, u"メモが入っていた。", u"城の上に行くには、城の中央部分から。", {12, 1, 1}},
      {102, "たからばこ", Memo, u"メモが入っていた。", u"すすきは、地中深くの大きな空洞の中に置く。", {12, 1, 1}},
      {103, "たからばこ", Memo, u"メモが入っていた。", u"ロープは、溶岩のはるか上に置く。", {12, 1, 1}},
      {104, "たからばこ", Memo, u"メモが入っていた。", u"Ｒを上げるには、まず「よろ」のあいさつから。", {12, 1, 1}},
      {105, "たからばこ", Memo, u"メモが入っていた。", u"よく見つけたね。あんたはえらい！！", {12, 1, 1}},
      {106, "たからばこ", Memo, u"メモが入っていた。", u"たからばこは\u3000ひとくいばこだった！！\u3000うそ。", {12, 1, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.itemNo);
    effects.clear();
    auto dialog = MakeDialog();
    c.itemNo == 0 ? dialog.Open(0, "青のカギ", "これで青色のとびらが開くぞ！") : dialog.Open(c.itemNo);
    EXPECT_EQ((std::tuple{dialog.caption(), dialog.icon(), dialog.labelText()}), (std::tuple{std::string(c.caption), c.icon, u"....."}));
    std::vector<std::u16string> shown;
    for (int i = 0; i < 5; ++i) dialog.RevealTick(), shown.push_back(dialog.labelText());
    EXPECT_EQ(shown, (std::vector<std::u16string>{c.text.substr(0, 1), c.text.substr(0, 2), c.text.substr(0, 3),
                                                  c.text.substr(0, 4), c.text.substr(0, 5)}));
    RevealAll(dialog);
    EXPECT_EQ((std::tuple{dialog.labelText(), static_cast<std::size_t>(dialog.MsgCount()), dialog.okFocused()}),
              (std::tuple{c.text, c.text.size(), true}));
    dialog.PressOk();
    if (!c.next.empty()) {
      EXPECT_FALSE(dialog.closed());
      RevealAll(dialog);
      EXPECT_EQ(dialog.labelText(), c.next);
      dialog.PressOk();
    }
    EXPECT_TRUE(dialog.closed());
    dialog.PressOk();
    EXPECT_EQ(effects, c.effects);
  }
  EXPECT_EQ((std::pair{ItemDialogModel::MemoText(100), ItemDialogModel::MemoText(107)}), (std::pair<std::string_view, std::string_view>()));
}

}  // namespace
}  // namespace moriva
