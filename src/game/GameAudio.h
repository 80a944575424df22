#pragma once

namespace moriva {

class clsBGM;
class MidiDevice;
class Sound;

// Registers the game's music 1..4 on the sequencer device and its effects 1..14, in the
// order that gives them their numbers, and switches effects on.
void RegisterGameAudio(clsBGM& bgm, MidiDevice& device, Sound& se);

}  // namespace moriva
