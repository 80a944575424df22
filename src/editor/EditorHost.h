#pragma once

namespace moriva {

class frmParts;

// What the editor window asks of the program around it: the palette, which holds the one
// tile sheet and is created on first use, and the game window.
class EditorHost {
 public:
  virtual ~EditorHost() = default;
  // The palette, created hidden the first time anything asks for it.
  virtual frmParts& Parts() = 0;
  // Shows the game window, creating it (and running its own load step) on first use.
  virtual void ShowGame() = 0;
};

}  // namespace moriva
