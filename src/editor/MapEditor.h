#pragma once

#include <QUndoStack>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "editor/EditorGeometry.h"
#include "platform/IoResult.h"
#include "platform/Surface.h"
#include "world/basMoriva.h"

namespace moriva {

// The outcome of Replace: refused (a field names no tile code), or done.
struct ReplaceOutcome {
  bool done = false;
  long changed = 0;
  std::string message;  // why it was refused; empty when done
};

// The map editor without its windows: the block surface and the overview as surfaces, the
// view offsets as numbers, the picked tile, painting, the bulk edits, the exports, load
// and save, and the undo history. The windows forward their events here and show the
// surfaces; tests and benchmarks drive it directly.
class MapEditor {
 public:
  using TileSheetSource = std::function<const Surface&()>;
  using Listener = std::function<void()>;
  using StatusListener = std::function<void(const std::string&)>;

  static constexpr int kUndoLimit = 200;

  // `tileSheet` is asked for the sheet each time a picture is drawn, so the palette that
  // holds it is created on first use.
  MapEditor(basMoriva& module, TileSheetSource tileSheet);

  // Load step: the map file's path and the overview's grid. `folder` is the program's
  // folder, where the map file and the exports lie.
  void SetUp(const std::string& folder);

  // Load map and Save map, with their progress texts on the status line. A failed load
  // leaves the grid as it was; a failed save leaves the old file as it was.
  IoResult cmdLoad_Click();
  IoResult cmdSave_Click();
  bool saveEnabled() const { return saveEnabled_; }

  void cmdArrow_Click(int k);
  // Mouse on the block surface, in its own pixels; button values as the window gives them.
  void picEdit_MouseDown(int button, double x, double y);
  void picEdit_MouseMove(int buttons, double x, double y);
  void picEdit_MouseUp(int button, double x, double y);
  // Release on the overview: any button; false when the position names no block.
  bool picMap_MouseUp(int button, double x, double y);
  // Release on the palette: any button; false when the position lies outside the sheet.
  bool picParts_MouseUp(int button, double x, double y);

  void cmdFill_Click();
  ReplaceOutcome cmdReplace_Click(const std::string& fromText, const std::string& toText);
  void cmdProve_Click();
  IoResult cmdBMP_Click();
  // `afterEachBlock` lets the window show each block as it is drawn.
  IoResult cmdMakeMap_Click(const std::function<void()>& afterEachBlock = {});

  // The info line for a block-surface position; empty outside the block.
  std::string DescribeAt(double x, double y) const;

  // Undo history: paint strokes, Fill, Replace, Edge and loads after the first.
  QUndoStack& history() { return history_; }
  bool unsaved() const { return !history_.isClean(); }

  basMoriva& module() { return mod_; }
  Surface& picEdit() { return picEdit_; }
  const Surface& picMap() const { return picMap_; }
  Surface& picMapSurface() { return picMap_; }
  Surface& picAllMap() { return picAllMap_; }
  const Surface& tileSheet() const { return sheet_(); }
  ViewOffsets view() const { return view_; }
  const std::string& status() const { return status_; }
  const std::string& folder() const { return folder_; }

  std::int16_t PartX = 0;
  std::int16_t PartY = 0;
  std::int16_t PartCode = 0;

  // The windows follow the core through these.
  void setViewListener(Listener l) { viewChanged_ = std::move(l); }
  void addStatusListener(StatusListener l) { statusListeners_.push_back(std::move(l)); }
  void setPartListener(Listener l) { partChanged_ = std::move(l); }

 private:
  void SetStatus(const std::string& text);
  void MoveView(ViewOffsets to);
  void DrawMarker(Pixel colour);
  void DrawOverviewGrid();
  void RedrawBlock();
  void Paint(double x, double y);
  void EndStroke();
  void Record(const char* what, const MapGrid& before);

  basMoriva& mod_;
  TileSheetSource sheet_;
  std::string folder_;
  Surface picEdit_;
  Surface picMap_;
  Surface picAllMap_;
  ViewOffsets view_;
  std::string status_ = "Label1";
  bool saveEnabled_ = false;
  bool loadedOnce_ = false;

  QUndoStack history_;
  MapGrid strokeBefore_;
  bool stroking_ = false;

  Listener viewChanged_;
  std::vector<StatusListener> statusListeners_;
  Listener partChanged_;
};

}  // namespace moriva
