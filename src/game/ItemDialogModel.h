#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/Surface.h"

namespace moriva {

// What the treasure-box dialog shows and does, without the window: the open step for an
// ItemNo, the letter-by-letter reveal, the OK button's colour cycle and the OK press.
// The window (frmGetItem) drives it from its two timers and copies its state onto the
// labels, the icon and the button.
class ItemDialogModel {
 public:
  // The ItemNo values the dialog is given.
  static constexpr int kEmptyBox = -1;
  static constexpr int kLastItem = 100;  // 0..9 in practice; everything above is a memo or the notice
  static constexpr int kFirstMemo = 101;
  static constexpr int kLastMemo = 106;
  static constexpr int kGoalNotice = 200;

  // Effect numbers of the dialog.
  static constexpr int kEffectOk = 1;
  static constexpr int kEffectItem = 11;
  static constexpr int kEffectMemo = 12;
  static constexpr int kEffectDud = 13;

  // Timer intervals in milliseconds.
  static constexpr int kRevealIntervalMs = 30;
  static constexpr int kColorIntervalMs = 50;

  // The phase of the colour cycle: a multiple of 4 in 0..508.
  static constexpr std::int32_t kColorPhaseStep = 4;
  static constexpr std::int32_t kColorPhaseModulus = 512;

  static constexpr Pixel kDesignButtonColor = Rgb(192, 255, 192);

  // Sprite-sheet cells of the two icons that are not items (top-left pixel).
  static constexpr int kMemoIconX = 192, kMemoIconY = 288;
  static constexpr int kDudIconX = 224, kDudIconY = 288;

  enum class Icon { Dud, Memo, Item };

  using EffectPlayer = std::function<void(int effect)>;

  // colorPhase outlives the dialog: each showing goes on with the cycle where the last
  // one stopped. playEffect receives the effect numbers.
  ItemDialogModel(std::int32_t& colorPhase, EffectPlayer playEffect);

  // The open step for itemNo, with the item's name and description from the game's item
  // table.
  void Open(int itemNo);
  // The same with the name and description given (UTF-8); read only for the items 0..9.
  void Open(int itemNo, std::string_view itemName, std::string_view itemDesc);

  // One tick of each timer; ignored while that timer is stopped.
  void RevealTick();
  void ColorTick();

  // An OK press, by mouse or keyboard, at any time.
  void PressOk();

  // The colour of the cycle at a phase.
  static Pixel ColorAtPhase(std::int32_t phase);
  // The memo text of 101..106 (UTF-8); empty for any other number.
  static std::string_view MemoText(int itemNo);

  // The state the window shows.
  const std::string& caption() const { return caption_; }
  Icon icon() const { return icon_; }
  int iconItem() const { return iconItem_; }  // the item whose picture shows, for Icon::Item
  const std::u16string& labelText() const { return labelText_; }
  Pixel buttonColor() const { return buttonColor_; }
  bool okFocused() const { return okFocused_; }
  bool closed() const { return closed_; }
  bool revealRunning() const { return revealRunning_; }
  bool colorRunning() const { return colorRunning_; }

  // The dialog's own variables, under their design names.
  const std::u16string& MsgText() const { return msgText_; }
  const std::u16string& MsgNext() const { return msgNext_; }
  std::int16_t MsgCount() const { return msgCount_; }
  std::int32_t ColorPhase() const { return colorPhase_; }

 private:
  void StartReveal();

  std::int32_t& colorPhase_;
  EffectPlayer playEffect_;

  std::string caption_;
  Icon icon_ = Icon::Dud;
  int iconItem_ = -1;
  std::u16string labelText_;
  Pixel buttonColor_ = kDesignButtonColor;
  bool okFocused_ = false;
  bool closed_ = false;
  bool revealRunning_ = false;
  bool colorRunning_ = false;

  std::u16string msgText_;
  std::u16string msgNext_;
  std::int16_t msgCount_ = 0;
};

// UTF-8 to UTF-16; invalid bytes become U+FFFD.
std::u16string Utf16FromUtf8(std::string_view text);

}  // namespace moriva
