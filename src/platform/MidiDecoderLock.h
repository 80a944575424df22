#pragma once

#include <mutex>

namespace moriva {

// SDL_mixer's FluidSynth player shares its SoundFont's samples between pieces: decoding one
// piece while another is decoded or freed on another thread corrupts the heap. Every decode
// and every free of a MIDI piece holds this lock. Only workers and shutdown wait on it; the
// window thread hands what it drops to the next worker instead.
inline std::mutex& MidiDecoderLock() {
  static std::mutex lock;
  return lock;
}

}  // namespace moriva
