#pragma once

#include <cstdint>
#include <vector>

#include "Score.h"

namespace moriva::mml {

// A format-1 Standard MIDI File: the conductor track first, then one track per instrument,
// every track ending on the score's last tick.
std::vector<std::uint8_t> WriteSmf(const Score& score);

}  // namespace moriva::mml
