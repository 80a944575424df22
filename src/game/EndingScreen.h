#pragma once

#include <array>
#include <cstdint>

#include "platform/Surface.h"

namespace moriva {

// One line printed onto the window at the end (client-area pixels, UTF-8 text).
struct EndingPrint {
  std::int32_t X = 0, Y = 0;
  const char* Text = "";
  bool operator==(const EndingPrint&) const = default;
};

// What the game window shows once the ending has begun, as plain data: the ending's steps
// change it, the window copies it onto its elements and the replay trace reads it.
struct EndingScreen {
  static constexpr int kClosingLines = 9;
  // The narration label's top as designed: below any client area, so the first tick moves it.
  static constexpr std::int32_t kDesignLabelTop = 408;

  // The window's measurements, reported by the window (these defaults are the design's:
  // a 340 px client area, an 18 px caption, the view frame ending at x = 328 and the
  // 9-point default font).
  std::int32_t ClientHeight = 340;
  std::int32_t CaptionHeight = 18;
  std::int32_t TextColumn = 328;
  std::int32_t PrintLineHeight = 12;

  // Set up by ShowEnding: no background picture, the window cleared to BackColor, the view
  // frame without its border, the block map, item icons, beta label and frame rate hidden.
  bool Shown = false;
  Pixel BackColor = 0;
  Pixel ForeColor = 0;

  // lblEnding: the rising narration.
  const char* LabelText = "";
  std::int32_t LabelLeft = 0;
  std::int32_t LabelTop = kDesignLabelTop;
  bool LabelVisible = false;

  // tmrEnding (60 ms).
  bool TimerRunning = false;

  // Printed lines, in order, and the print position.
  std::array<EndingPrint, kClosingLines> Printed{};
  std::int32_t PrintedCount = 0;
  std::int32_t PrintX = 0, PrintY = 0;

  bool operator==(const EndingScreen&) const = default;
};

}  // namespace moriva
