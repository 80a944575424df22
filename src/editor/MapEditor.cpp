#include "editor/MapEditor.h"

#include "editor/BulkEdits.h"
#include "editor/CellInfo.h"
#include "editor/MapChangeCommand.h"
#include "editor/MapExport.h"
#include "editor/ReplaceField.h"
#include "platform/ProgramFolder.h"
#include "world/DrawBlock.h"
#include "world/MapFile.h"

namespace moriva {

namespace {
constexpr Pixel kOverviewBackground = Rgb(255, 255, 255);  // the system's window colour
constexpr Pixel kGridColour = Rgb(1, 0, 0);                // colour value 1
constexpr Pixel kOldMarker = Rgb(255, 255, 255);
constexpr Pixel kNewMarker = Rgb(255, 0, 0);               // colour value 255

void Outline(Surface& s, int x0, int y0, int x1, int y1, Pixel p) {
  for (int x = x0; x <= x1; ++x) {
    s.setPixel(x, y0, p);
    s.setPixel(x, y1, p);
  }
  for (int y = y0; y <= y1; ++y) {
    s.setPixel(x0, y, p);
    s.setPixel(x1, y, p);
  }
}
}  // namespace

MapEditor::MapEditor(basMoriva& module, TileSheetSource tileSheet)
    : mod_(module),
      sheet_(std::move(tileSheet)),
      picEdit_(kBlockPixels, kBlockPixels),
      picMap_(kOverviewSize, kOverviewSize, kOverviewBackground) {
  history_.setUndoLimit(kUndoLimit);
}

void MapEditor::SetUp(const std::string& folder) {
  folder_ = folder;
  mod_.MapFile = MapFilePath(folder);
  DrawOverviewGrid();
}

void MapEditor::DrawOverviewGrid() {
  // The lines at 50 are not drawn: the overview's last pixel row and column stay blank.
  for (int i = 0; i < kWorldBlocks; ++i) {
    for (int p = 0; p < kOverviewSize; ++p) {
      picMap_.setPixel(i * kOverviewCell, p, kGridColour);
      picMap_.setPixel(p, i * kOverviewCell, kGridColour);
    }
  }
  picMap_.Refresh();
}

void MapEditor::SetStatus(const std::string& text) {
  status_ = text;
  for (const StatusListener& l : statusListeners_) l(status_);
}

void MapEditor::MoveView(ViewOffsets to) {
  view_ = to;
  if (viewChanged_) viewChanged_();
}

IoResult MapEditor::cmdLoad_Click() {
  // Read into a fresh grid, so a file that cannot be read costs no edit in memory.
  MapGrid loaded;
  if (IoResult r = LoadMap(mod_.MapFile, loaded, [this](const std::string& t) { SetStatus(t); }); !r)
    return r;
  const MapGrid before = mod_.Map;
  mod_.Map = loaded;
  // The first load fills an empty grid; there is nothing to go back to.
  if (loadedOnce_) Record("Load", before);
  loadedOnce_ = true;
  picMap_MouseUp(0, 0, 0);
  saveEnabled_ = true;
  history_.setClean();
  return IoResult::Success();
}

IoResult MapEditor::cmdSave_Click() {
  if (!saveEnabled_) return IoResult::Failure("nothing loaded yet: the map cannot be saved");
  IoResult r = SaveMap(mod_.MapFile, mod_.Map, [this](const std::string& t) { SetStatus(t); });
  if (r) history_.setClean();
  return r;
}

void MapEditor::cmdArrow_Click(int k) {
  MoveView(ArrowJump(k, view_));
  SetStatus(ViewText(view_));
}

void MapEditor::Paint(double x, double y) {
  const auto cell = BlockCellAt(x, y);
  if (!cell) return;
  if (!stroking_) {
    strokeBefore_ = mod_.Map;
    stroking_ = true;
  }
  BitBlt(picEdit_, cell->x * kTileSize, cell->y * kTileSize, kTileSize, kTileSize, sheet_(),
         PartX * kTileSize, PartY * kTileSize, RasterOp::SrcCopy);
  mod_.Map(mod_.BlockX * kBlockTiles + cell->x, mod_.BlockY * kBlockTiles + cell->y) =
      static_cast<std::uint8_t>(PartCode);
  picEdit_.Refresh();
}

void MapEditor::EndStroke() {
  if (!stroking_) return;
  stroking_ = false;
  Record("Paint", strokeBefore_);
}

void MapEditor::picEdit_MouseDown(int button, double x, double y) {
  if (button == kLeftButton) {
    Paint(x, y);
  } else if (button == kRightButton) {
    MoveView(CentreOn(x, y));
    SetStatus(ViewText(view_));
  }
}

void MapEditor::picEdit_MouseMove(int buttons, double x, double y) {
  if (buttons == kLeftButton) Paint(x, y);
}

void MapEditor::picEdit_MouseUp(int /*button*/, double /*x*/, double /*y*/) { EndStroke(); }

void MapEditor::DrawMarker(Pixel colour) {
  const int x0 = mod_.BlockX * kOverviewCell + kMarkerInset;
  const int y0 = mod_.BlockY * kOverviewCell + kMarkerInset;
  Outline(picMap_, x0, y0, x0 + kMarkerSpan, y0 + kMarkerSpan, colour);
}

bool MapEditor::picMap_MouseUp(int /*button*/, double x, double y) {
  const auto block = OverviewBlockAt(x, y);
  if (!block) return false;
  EndStroke();
  DrawMarker(kOldMarker);
  mod_.BlockX = static_cast<std::int16_t>(block->x);
  mod_.BlockY = static_cast<std::int16_t>(block->y);
  DrawMarker(kNewMarker);
  picMap_.Refresh();
  RedrawBlock();
  return true;
}

bool MapEditor::picParts_MouseUp(int /*button*/, double x, double y) {
  const auto tile = SheetTileAt(x, y);
  if (!tile) return false;
  PartX = static_cast<std::int16_t>(tile->x);
  PartY = static_cast<std::int16_t>(tile->y);
  PartCode = static_cast<std::int16_t>(PartY * kSheetColumns + PartX);
  if (partChanged_) partChanged_();
  return true;
}

void MapEditor::RedrawBlock() { DrawBlock(mod_.Map, sheet_(), mod_.BlockX, mod_.BlockY, picEdit_); }

void MapEditor::Record(const char* what, const MapGrid& before) {
  auto command = std::make_unique<MapChangeCommand>(QString::fromUtf8(what), mod_.Map, before,
                                                    [this] { RedrawBlock(); });
  if (!command->empty()) history_.push(command.release());
}

void MapEditor::cmdFill_Click() {
  EndStroke();
  const MapGrid before = mod_.Map;
  FillBlock(mod_.Map, mod_.BlockX, mod_.BlockY, static_cast<std::uint8_t>(PartCode));
  const Surface& sheet = sheet_();
  for (int i = 0; i < kBlockTiles; ++i)
    for (int j = 0; j < kBlockTiles; ++j)
      BitBlt(picEdit_, i * kTileSize, j * kTileSize, kTileSize, kTileSize, sheet, PartX * kTileSize,
             PartY * kTileSize, RasterOp::SrcCopy);
  picEdit_.Refresh();
  Record("Fill", before);
}

ReplaceOutcome MapEditor::cmdReplace_Click(const std::string& fromText, const std::string& toText) {
  EndStroke();
  const ReplaceFieldReading from = ReadReplaceField(fromText);
  const ReplaceFieldReading to = ReadReplaceField(toText);
  ReplaceOutcome outcome;
  if (!from.ok || !to.ok) {
    outcome.message = "Replace: " + (from.ok ? to.why : from.why) + "; nothing changed";
    return outcome;
  }
  const MapGrid before = mod_.Map;
  outcome.changed = ReplaceCode(mod_.Map, from.code, to.code);
  outcome.done = true;
  picMap_MouseUp(0, 0, 0);
  Record("Replace", before);
  return outcome;
}

void MapEditor::cmdProve_Click() {
  EndStroke();
  const MapGrid before = mod_.Map;
  EdgeBlock(mod_.Map, mod_.BlockX, mod_.BlockY);
  RedrawBlock();
  Record("Edge", before);
}

IoResult MapEditor::cmdBMP_Click() {
  const std::string path = JoinProgramPath(folder_, OneMapFileName(mod_.BlockX, mod_.BlockY));
  if (!picEdit_.SaveBmp(path)) return IoResult::Failure("could not write " + path);
  return IoResult::Success();
}

IoResult MapEditor::cmdMakeMap_Click(const std::function<void()>& afterEachBlock) {
  EndStroke();
  RenderWorld(mod_.Map, sheet_(), picEdit_, picAllMap_, [&] {
    if (afterEachBlock) afterEachBlock();
  });
  // Back to the block that BlockX and BlockY name, so painting and "1Map" go on with it.
  RedrawBlock();
  const std::string path = JoinProgramPath(folder_, kAllMapFileName);
  if (!picAllMap_.SaveBmp(path)) return IoResult::Failure("could not write " + path);
  return IoResult::Success();
}

std::string MapEditor::DescribeAt(double x, double y) const {
  const auto cell = BlockCellAt(x, y);
  if (!cell) return {};
  return DescribeCell(mod_.Map, mod_.BlockX, mod_.BlockY, *cell);
}

}  // namespace moriva
