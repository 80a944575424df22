#pragma once

#include <array>

#include "game/AnimatedCell.h"

namespace moriva::pictures {

// The sprite-sheet cell that an animated tile shows, by the animation clock c (0..99) and
// the switch state s (0 or 1); -1 for codes that do not animate: the game's own table.
inline int AnimationCell(int code, int c, int s) { return AnimatedCell(code, c, s); }

// Every code that animates, in ascending order.
inline constexpr std::array kAnimatedCodes{4,  5,  7,  12, 15, 17, 18, 25,  26,  32,  49,  54,
                                    56, 90, 91, 92, 93, 143, 154, 155, 158, 159, 172};

inline constexpr int kFirstAnimationCell = 88;
inline constexpr int kLastAnimationCell = 138;

// The memo sheet and the dud mark of the treasure-box dialog, and the goal-area stone of
// the ending, as sprite-sheet cells.
inline constexpr int kMemoCell = 9 * 8 + 6;    // (192, 288)
inline constexpr int kDudCell = 9 * 8 + 7;     // (224, 288)
inline constexpr int kOliveStoneCell = 17 * 8 + 3;  // (96, 544)

}  // namespace moriva::pictures
