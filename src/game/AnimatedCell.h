#pragma once

namespace moriva {

// Flame-jet pictures over the 100-frame cycle: calm (91) most of the time, fierce (88, 89)
// around the deadly first frames.
inline int FlameJetCell(int c) {
  if (c <= 2 || (c >= 18 && c <= 20)) return 90;
  if (c <= 4 || (c >= 10 && c <= 14)) return 89;
  if (c <= 17) return 88;
  return 91;
}

// The sprite-sheet cell (88..138) that an animated tile shows at animation clock c (0..99)
// with the switch state s (0 or 1); -1 for a code that does not animate. The game draws
// from it and the picture generator draws those cells from it, so the two always agree.
inline int AnimatedCell(int tile, int c, int s) {
  switch (tile) {
    case 4: return 106 + (c / 8) % 2;
    case 5: return 108 + (c / 10) % 2;
    case 7: return 126 + (c / 4) % 2;
    case 12: return 104 + (c / 8) % 2;
    case 15: return 124 + (c / 4) % 2;
    case 17: return 112 + (c / 6) % 2;
    case 18: return 114 + (c / 4) % 2;
    case 25: return 120 + (c / 6) % 2;
    case 26: return 122 + (c / 4) % 2;
    case 32: return 100 + (c / 10) % 2;
    case 49: return 110 + (c / 25) % 2;
    case 54: return FlameJetCell(c);
    case 56: return 102 + (c / 25) % 2;
    case 90: return 128 + (c / 25) % 2;
    case 91: return 130 + (c / 25) % 2;
    case 92: return 132 + (c / 25) % 2;
    case 93: return 134 + (c / 25) % 2;
    case 143: return 94 - s * (1 + (c / 5) % 2);
    case 154: return 96 + s * ((c / 5) % 4);
    case 155: return 99 - s * ((c / 5) % 4);
    case 158: return 116 + s * (c % 4);
    case 159: return 119 - s * (c % 4);
    case 172: return 138 - s * (1 + (c / 10) % 2);
    default: return -1;
  }
}

}  // namespace moriva
