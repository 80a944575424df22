#include "game/ItemDialogModel.h"

#include <array>
#include <cstdlib>

#include "game/GameTables.h"

namespace moriva {

namespace {

constexpr std::u16string_view kDesignText = u".....";
constexpr std::string_view kCaptionBox = "たからばこ";
constexpr std::string_view kCaptionGoal = "ルナポロ";
constexpr std::u16string_view kEmptyText = u"からっぽ!";
constexpr std::u16string_view kGoalText = u"お月見に必要なものが足りない！！";
constexpr std::u16string_view kItemGotText = u"を手に入れた!";
constexpr std::u16string_view kMemoFoundText = u"メモが入っていた。";
// A lone carriage return: the labels break the line there.
constexpr char16_t kLineBreak = u'\r';

constexpr std::array<std::string_view, ItemDialogModel::kLastMemo - ItemDialogModel::kFirstMemo + 1>
    kMemoTexts = {
        "城の上に行くには、城の中央部分から。",
        "すすきは、地中深くの大きな空洞の中に置く。",
        "ロープは、溶岩のはるか上に置く。",
        "Ｒを上げるには、まず「よろ」のあいさつから。",
        "よく見つけたね。あんたはえらい！！",
        "たからばこは　ひとくいばこだった！！　うそ。",
};

// Offsets of the three colour channels in the cycle, a third of a period apart.
constexpr std::int32_t kRedOffset = 0, kGreenOffset = 170, kBlueOffset = 340;

int Channel(std::int32_t phase, std::int32_t offset) {
  return std::abs((phase + offset) % 256 - 127) + 127;
}

}  // namespace

ItemDialogModel::ItemDialogModel(std::int32_t& colorPhase, EffectPlayer playEffect)
    : colorPhase_(colorPhase), playEffect_(std::move(playEffect)), labelText_(kDesignText) {}

void ItemDialogModel::Open(int itemNo) {
  const bool isItem = itemNo >= 0 && static_cast<std::size_t>(itemNo) < ItemName.size();
  Open(itemNo, isItem ? ItemName[static_cast<std::size_t>(itemNo)] : "",
       isItem ? ItemDesc[static_cast<std::size_t>(itemNo)] : "");
}

void ItemDialogModel::Open(int itemNo, std::string_view itemName, std::string_view itemDesc) {
  caption_ = kCaptionBox;
  if (itemNo == kEmptyBox) {
    icon_ = Icon::Dud;
    playEffect_(kEffectDud);
    msgText_ = kEmptyText;
  } else if (itemNo == kGoalNotice) {
    icon_ = Icon::Dud;
    playEffect_(kEffectDud);
    msgText_ = kGoalText;
    caption_ = kCaptionGoal;
  } else if (itemNo <= kLastItem) {
    icon_ = Icon::Item;
    iconItem_ = itemNo;
    msgText_ = Utf16FromUtf8(itemName);
    msgText_ += kLineBreak;
    msgText_ += kItemGotText;
    msgNext_ = Utf16FromUtf8(itemDesc);
    playEffect_(kEffectItem);
  } else {
    icon_ = Icon::Memo;
    msgText_ = kMemoFoundText;
    msgNext_ = Utf16FromUtf8(MemoText(itemNo));
    playEffect_(kEffectMemo);
  }
  StartReveal();
}

void ItemDialogModel::StartReveal() {
  msgCount_ = 0;
  revealRunning_ = true;
  colorRunning_ = false;
}

void ItemDialogModel::RevealTick() {
  if (!revealRunning_) return;
  ++msgCount_;
  labelText_.assign(msgText_, 0, static_cast<std::size_t>(msgCount_));
  // ">=" rather than "=": an empty message stops at the first tick instead of counting
  // on forever.
  if (static_cast<std::size_t>(msgCount_) >= msgText_.size()) {
    revealRunning_ = false;
    okFocused_ = true;
    colorRunning_ = true;
  }
}

void ItemDialogModel::ColorTick() {
  if (!colorRunning_) return;
  colorPhase_ = (colorPhase_ + kColorPhaseStep) % kColorPhaseModulus;
  buttonColor_ = ColorAtPhase(colorPhase_);
}

void ItemDialogModel::PressOk() {
  if (closed_) return;
  if (!msgNext_.empty()) {
    msgText_ = std::move(msgNext_);
    msgNext_.clear();
    StartReveal();
  } else {
    closed_ = true;
    revealRunning_ = false;
    colorRunning_ = false;
  }
  playEffect_(kEffectOk);
}

Pixel ItemDialogModel::ColorAtPhase(std::int32_t phase) {
  return Rgb(Channel(phase, kRedOffset), Channel(phase, kGreenOffset), Channel(phase, kBlueOffset));
}

std::string_view ItemDialogModel::MemoText(int itemNo) {
  if (itemNo < kFirstMemo || itemNo > kLastMemo) return {};
  return kMemoTexts[static_cast<std::size_t>(itemNo - kFirstMemo)];
}

std::u16string Utf16FromUtf8(std::string_view text) {
  constexpr char32_t kReplacement = 0xFFFD;
  std::u16string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int extra = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
      cp = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      extra = 1;
      cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2;
      cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      extra = 3;
      cp = lead & 0x07;
    } else {
      out += static_cast<char16_t>(kReplacement);
      ++i;
      continue;
    }
    bool valid = i + static_cast<std::size_t>(extra) < text.size();
    for (int k = 1; valid && k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
      if ((next & 0xC0) != 0x80) {
        valid = false;
      } else {
        cp = (cp << 6) | (next & 0x3F);
      }
    }
    if (!valid || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      out += static_cast<char16_t>(kReplacement);
      ++i;
      continue;
    }
    i += static_cast<std::size_t>(extra) + 1;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
  return out;
}

}  // namespace moriva
