#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace moriva {

// Playing time of a Standard MIDI File up to its last event, following its tempo changes.
// The synthesizer lets notes ring on after that, but the music's own end is here, and that
// is where a looping piece has to start again. Empty when the data is not a readable SMF.
std::optional<double> MidiPlayingSeconds(const std::vector<std::uint8_t>& smf);
std::optional<double> MidiFilePlayingSeconds(const std::string& file);

}  // namespace moriva
