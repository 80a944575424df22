#include "platform/HeldKeys.h"

namespace moriva {

void HeldKeys::Press(std::uint32_t physicalKey, int virtualKey) {
  Slot* free = nullptr;
  for (Slot& slot : slots_) {
    if (slot.virtualKey >= 0 && slot.physical == physicalKey) free = &slot;
  }
  for (Slot& slot : slots_) {
    if (!free && slot.virtualKey < 0) free = &slot;
  }
  if (!free) {
    free = &slots_[static_cast<std::size_t>(next_)];
    next_ = (next_ + 1) % kSlots;
  }
  *free = {physicalKey, virtualKey};
}

int HeldKeys::Release(std::uint32_t physicalKey, int virtualKey) {
  for (Slot& slot : slots_) {
    if (slot.virtualKey >= 0 && slot.physical == physicalKey) {
      const int pressed = slot.virtualKey;
      slot = {};
      return pressed;
    }
  }
  return virtualKey;
}

}  // namespace moriva
