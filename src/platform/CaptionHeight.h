#pragma once

namespace moriva {

// The height of a window caption in pixels, as the window system's style reports it.
int GetCaptionHeight();

}  // namespace moriva
