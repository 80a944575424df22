#pragma once

#include <array>
#include <cstdint>

namespace moriva {

// Which virtual key each held physical key set when it went down, so that its release
// clears that same key whatever the release event says (Shift or the layout may have
// changed what the key types in between). Fixed room: no allocation per key event.
class HeldKeys {
 public:
  // Remembers that `physicalKey` set `virtualKey` (nothing is kept for -1).
  void Press(std::uint32_t physicalKey, int virtualKey);
  // The virtual key the release of `physicalKey` clears: the one its press set, or
  // `virtualKey` when no press was seen.
  int Release(std::uint32_t physicalKey, int virtualKey);
  // Forgets every held key: their releases go to another window.
  void Clear() { slots_.fill(Slot{}); }

 private:
  static constexpr int kSlots = 16;  // more keys than a keyboard reports at once
  struct Slot {
    std::uint32_t physical = 0;
    int virtualKey = -1;
  };
  std::array<Slot, kSlots> slots_{};
  int next_ = 0;  // the slot reused when all are taken
};

}  // namespace moriva
