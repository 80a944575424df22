#include "platform/PadKeyMapper.h"

#include "platform/KeyCodes.h"

namespace moriva {

namespace {
enum KeySlot { kSlotLeft, kSlotRight, kSlotUp, kSlotDown, kSlotSpace, kSlotEnter, kSlotQ };
}  // namespace

const std::array<int, PadKeyMapper::kKeys>& PadKeyMapper::Keys() {
  static constexpr std::array<int, kKeys> kVirtualKeys = {vk::kLeft,  vk::kRight, vk::kUp, vk::kDown,
                                                         vk::kSpace, vk::kEnter, vk::kQ};
  return kVirtualKeys;
}

std::array<bool, PadKeyMapper::kKeys> PadKeyMapper::HeldKeys(const PadState& s) {
  std::array<bool, kKeys> keys{};
  keys[kSlotLeft] = s.held(PadButton::DpadLeft) || s.leftX < -kDeadZone;
  keys[kSlotRight] = s.held(PadButton::DpadRight) || s.leftX > kDeadZone;
  keys[kSlotUp] = s.held(PadButton::DpadUp) || s.leftY < -kDeadZone;
  keys[kSlotDown] = s.held(PadButton::DpadDown) || s.leftY > kDeadZone;
  keys[kSlotSpace] = s.held(PadButton::Bottom);
  keys[kSlotEnter] = s.held(PadButton::Right);
  keys[kSlotQ] = s.held(PadButton::Start);
  return keys;
}

PadAnswers PadKeyMapper::Update(const PadState& state, PadKeySink& sink) {
  const std::array<bool, kKeys> now = HeldKeys(state);
  for (int i = 0; i < kKeys; ++i) {
    if (now[i] == held_[i]) continue;
    held_[i] = now[i];
    if (now[i]) {
      sink.PadKeyDown(Keys()[i]);
    } else {
      sink.PadKeyUp(Keys()[i]);
    }
  }
  PadAnswers answers;
  const bool bottom = state.held(PadButton::Bottom), right = state.held(PadButton::Right);
  answers.yes = bottom && !bottomWasHeld_;
  answers.no = right && !rightWasHeld_;
  bottomWasHeld_ = bottom;
  rightWasHeld_ = right;
  return answers;
}

void PadKeyMapper::ReleaseAll(PadKeySink& sink) { Update(PadState{}, sink); }

}  // namespace moriva
