#pragma once

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace moriva {

// Decoding a MIDI piece leaves the SoundFont parser's many small blocks behind, and a freed
// piece its synthesizer's: glibc keeps such memory mapped, in every thread's arena, unless
// asked to give it back. Call it on a worker: it walks every arena.
inline void ReturnFreedMemory() {
#ifdef __GLIBC__
  malloc_trim(0);
#endif
}

}  // namespace moriva
