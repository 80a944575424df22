#include "editor/MapEditor.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "editor/BulkEdits.h"
#include "editor/CellInfo.h"
#include "editor/MapExport.h"
#include "editor/ReplaceField.h"
#include "platform/Pictures.h"
#include "support/TempFolder.h"
#include "world/DrawBlock.h"
#include "world/MapFile.h"

namespace moriva {
namespace {

// The block surface that DrawBlock gives for the grid: what the editor must show after
// every edit, undo and redo.
Surface DrawnBlock(const MapGrid& map, const Surface& sheet, int bx, int by) {
  Surface s(kBlockPixels, kBlockPixels);
  DrawBlock(map, sheet, bx, by, s);
  return s;
}

constexpr Pixel kWhite = Rgb(255, 255, 255), kMarker = Rgb(255, 0, 0), kGrid = Rgb(1, 0, 0);

void ExpectPixels(const Surface& s, std::initializer_list<std::tuple<int, int, Pixel>> spots) {
  for (auto [x, y, colour] : spots) EXPECT_EQ(s.pixel(x, y), colour) << x << "," << y;
}

// The editor after its load of a world with codes 0 to 11 in every block.
class MapEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(sheet.empty());
    for (int x = 0; x < kWorldTiles; ++x)
      for (int y = 0; y < kWorldTiles; ++y) world(x, y) = static_cast<std::uint8_t>((x + 2 * y) % 12);
    ASSERT_TRUE(SaveMap(MapFilePath(folder.path()), world));
    editor.SetUp(folder.path());
    ASSERT_TRUE(editor.cmdLoad_Click());
  }

  MapGrid& map() { return shared.Map; }
  void Select(int bx, int by) { ASSERT_TRUE(editor.picMap_MouseUp(1, bx * 10 + 5, by * 10 + 5)); }

  test::TempFolder folder;
  Surface sheet = LoadDebugTileSheet();
  MapGrid world;
  basMoriva shared;
  MapEditor editor{shared, [this]() -> const Surface& { return sheet; }};
};

// With the palette untouched since start, a press paints code 0 with one transfer; a drag
// paints only inside the block; the right button centres and paints nothing.
TEST_F(MapEditorTest, LeftPaintsInsideTheBlockRightCentres) {
  MapGrid expected = world;
  const long transfers = editor.picEdit().transferCount();
  editor.picEdit_MouseDown(kLeftButton, 33, 64);
  EXPECT_EQ(editor.picEdit().transferCount() - transfers, 1);
  editor.picEdit_MouseUp(kLeftButton, 33, 64);
  expected(1, 2) = 0;
  EXPECT_EQ(map(), expected);
  EXPECT_EQ(editor.picEdit(), DrawnBlock(map(), sheet, 0, 0));

  editor.PartCode = editor.PartX = 7;
  editor.picEdit_MouseDown(kLeftButton, 0, 0);
  for (auto [x, y] : {std::pair{40, 0}, {80, 0}, {-40, 0}, {40, 1700}}) editor.picEdit_MouseMove(kLeftButton, x, y);
  editor.picEdit_MouseUp(kLeftButton, 80, 0);
  expected(0, 0) = expected(1, 0) = expected(2, 0) = 7;
  EXPECT_EQ(map(), expected);

  editor.picEdit_MouseDown(kRightButton, 100, 1500);
  EXPECT_EQ(editor.status(), "(X,Y)=(0,-1280)");
  editor.picEdit_MouseMove(kRightButton, 900, 300);
  editor.picEdit_MouseMove(kLeftButton | kRightButton, 900, 300);
  editor.picEdit_MouseDown(4, 300, 300);  // middle button: nothing
  EXPECT_EQ(editor.view(), (ViewOffsets{0, -1280}));
  EXPECT_EQ(map(), expected);
}

// After the load (its progress texts and block (0, 0) drawn are the windows' test): the
// overview's grid in colour value 1 at 0, 10, ... 40, none at 50, the red marker on block
// (0, 0). A release there selects the block, moves the marker and keeps the view.
TEST_F(MapEditorTest, LoadDrawsTheOverviewWhereAReleaseSelectsTheBlockAndKeepsTheView) {
  EXPECT_EQ(shared.MapFile, folder.file("mapdata.dat"));
  EXPECT_FALSE(editor.unsaved());
  EXPECT_EQ(editor.view(), (ViewOffsets{20, 8}));
  ExpectPixels(editor.picMap(), {{10, 25, kGrid}, {50, 25, kWhite}, {1, 5, kMarker}, {9, 9, kMarker}, {5, 5, kWhite}});
  editor.cmdArrow_Click(kArrowDown);
  const ViewOffsets view = editor.view();
  ASSERT_TRUE(editor.picMap_MouseUp(2, 27, 41));
  EXPECT_EQ((std::pair{shared.BlockX, shared.BlockY}), (std::pair<std::int16_t, std::int16_t>{2, 4}));
  EXPECT_EQ(editor.view(), view);
  EXPECT_EQ(editor.picEdit(), DrawnBlock(world, sheet, 2, 4));
  ExpectPixels(editor.picMap(), {{1, 1, kWhite}, {21, 41, kMarker}, {29, 49, kMarker}, {20, 45, kGrid}});
  const long transfers = editor.picEdit().transferCount();
  EXPECT_FALSE(editor.picMap_MouseUp(1, 50, 5)) << "outside the blocks";
  EXPECT_EQ(shared.BlockX, 2);
  EXPECT_EQ(editor.picEdit().transferCount(), transfers);
}

TEST_F(MapEditorTest, FillSetsExactlyTheBlockAndDrawsItOnce) {
  Select(1, 2);
  editor.picParts_MouseUp(1, 5 * 32, 0);
  const long transfers = editor.picEdit().transferCount(), refreshes = editor.picEdit().refreshCount();
  editor.cmdFill_Click();
  for (int x = 0; x < kGridSize; ++x)
    for (int y = 0; y < kGridSize; ++y) {
      const bool inside = x >= 50 && x <= 99 && y >= 100 && y <= 149;
      ASSERT_EQ(map()(x, y), inside ? 5 : world(x, y)) << x << "," << y;
    }
  EXPECT_EQ(editor.picEdit().transferCount() - transfers, 2500);
  EXPECT_EQ(editor.picEdit().refreshCount() - refreshes, 1);
  EXPECT_EQ(editor.picEdit(), DrawnBlock(map(), sheet, 1, 2));
}

// The fields' reading is ReplaceField's test; here, that every cell of the world changes.
TEST_F(MapEditorTest, ReplaceChangesEveryCellOfTheCodeAndEndsOnBlockZero) {
  Select(3, 2);
  const ReplaceOutcome r = editor.cmdReplace_Click("3", "12.5");
  ASSERT_TRUE(r.done) << r.message;
  MapGrid expected = world;
  long threes = 0;
  for (int x = 0; x < kWorldTiles; ++x)
    for (int y = 0; y < kWorldTiles; ++y)
      if (expected(x, y) == 3) expected(x, y) = 12, ++threes;
  EXPECT_EQ(map(), expected);
  EXPECT_EQ(r.changed, threes);
  EXPECT_EQ(editor.cmdReplace_Click("5", "5").changed, 0);
  EXPECT_EQ(editor.picEdit(), DrawnBlock(map(), sheet, 0, 0));  // block (0, 0) drawn
}

// 1Map saves the current block, painted outside the view too; AllMap reduces every block to
// 200 px in its place and redraws the current one.
TEST_F(MapEditorTest, ExportsNameTheBlockAndReduceEveryBlockInItsPlace) {
  Select(4, 1);
  editor.picParts_MouseUp(1, 70, 40);
  editor.picEdit_MouseDown(kLeftButton, 45 * 32, 45 * 32);  // far outside the 320 px view
  ASSERT_EQ(map()(245, 95), 10);
  ASSERT_TRUE(editor.cmdBMP_Click());
  EXPECT_EQ(LoadImageFile(folder.file("map41.bmp")), DrawnBlock(map(), sheet, 4, 1));
  int pumped = 0;
  ASSERT_TRUE(editor.cmdMakeMap_Click([&] { ++pumped; }));
  EXPECT_EQ(pumped, 25);
  const Surface& all = editor.picAllMap();
  ASSERT_EQ(std::pair(all.width(), all.height()), std::pair(1000, 1000));
  Surface reduced(200, 200);
  StretchBlt(reduced, 0, 0, 200, 200, DrawnBlock(world, sheet, 3, 1), 0, 0, 1600, 1600);
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 200; ++x) ASSERT_EQ(all.pixel(600 + x, 200 + y), reduced.pixel(x, y));
  EXPECT_EQ(LoadImageFile(folder.file("allmap.bmp")), all);
  EXPECT_EQ(editor.picEdit(), DrawnBlock(map(), sheet, 4, 1));
}

TEST_F(MapEditorTest, SpareRowAndColumnStayZeroThroughEveryOperation) {
  Select(4, 4);
  editor.picParts_MouseUp(1, 255, 767);
  editor.cmdFill_Click();
  editor.picEdit_MouseDown(kLeftButton, 1599, 1599);
  editor.picEdit_MouseMove(kLeftButton, 1700, 1700);
  editor.cmdProve_Click();
  editor.cmdReplace_Click("0", "8");
  ASSERT_TRUE(editor.cmdSave_Click());
  EXPECT_FALSE(editor.unsaved());
  ASSERT_TRUE(editor.cmdLoad_Click());
  editor.cmdMakeMap_Click();
  editor.history().undo();
  for (int i = 0; i < kGridSize; ++i) ASSERT_TRUE(map()(kWorldTiles, i) == 0 && map()(i, kWorldTiles) == 0) << i;
}

// Ctrl+S reaches Save even while the button is still disabled: before any load, an empty
// grid must not replace the world on disk. A failed save keeps the edits unsaved; a failed
// load keeps the grid.
TEST_F(MapEditorTest, FailedOrRefusedLoadsAndSavesKeepTheFileAndTheGrid) {
  basMoriva other;
  MapEditor fresh{other, [this]() -> const Surface& { return sheet; }};
  fresh.SetUp(folder.path());
  EXPECT_FALSE(fresh.cmdSave_Click());
  MapGrid onDisk;
  ASSERT_TRUE(LoadMap(other.MapFile, onDisk));
  EXPECT_EQ(onDisk, world);

  editor.cmdFill_Click();
  const MapGrid edited = map();
  shared.MapFile = folder.file("no-such-folder/mapdata.dat");
  EXPECT_FALSE(editor.cmdSave_Click());
  EXPECT_TRUE(editor.unsaved());
  shared.MapFile = folder.path();  // a folder, not a file
  EXPECT_FALSE(editor.cmdLoad_Click());
  EXPECT_EQ(map(), edited);
}

struct UndoCase { const char* name; void (*edit)(MapEditor&); bool load = false; };

class UndoTest : public MapEditorTest, public ::testing::WithParamInterface<UndoCase> {};

// A load after the first can be undone too, and leaves the editor clean.
TEST_P(UndoTest, UndoAndRedoRestoreGridAndPicture) {
  Select(1, 1);
  editor.picParts_MouseUp(1, 0, 32);  // code 8
  map()(60, 60) = 8, map()(60, 59) = 72, map()(59, 60) = 72;  // an edge: ground, rock above and left
  editor.history().setClean();
  const MapGrid before = map();
  GetParam().edit(editor);
  const MapGrid after = map();
  ASSERT_NE(after, before);
  ASSERT_EQ(editor.history().count(), 1);
  EXPECT_EQ(editor.unsaved(), !GetParam().load);
  const int bx = shared.BlockX, by = shared.BlockY;  // Replace ends on block (0, 0)
  editor.history().undo();
  EXPECT_EQ(map(), before);
  EXPECT_EQ(editor.picEdit(), DrawnBlock(before, sheet, bx, by));
  EXPECT_EQ(editor.unsaved(), GetParam().load);
  editor.history().redo();
  EXPECT_EQ(map(), after);
  EXPECT_EQ(editor.picEdit(), DrawnBlock(after, sheet, bx, by));
}

INSTANTIATE_TEST_SUITE_P(
    Edits, UndoTest,
    ::testing::Values(
        UndoCase{"PaintStroke",
                 [](MapEditor& e) { e.picEdit_MouseDown(kLeftButton, 40, 40); e.picEdit_MouseUp(kLeftButton, 40, 40); }},
        UndoCase{"Fill", [](MapEditor& e) { e.cmdFill_Click(); }},
        UndoCase{"Replace", [](MapEditor& e) { e.cmdReplace_Click("3", "200"); }},
        UndoCase{"Edge", [](MapEditor& e) { e.cmdProve_Click(); }},
        UndoCase{"Load", [](MapEditor& e) { SaveMap(e.module().MapFile, MapGrid()); e.cmdLoad_Click(); }, true}),
    [](const ::testing::TestParamInfo<UndoCase>& p) { return std::string(p.param.name); });

// The info line of a cell is the windows' test; a code past the sheet draws nothing.
TEST(CellInfo, ACodePastTheSheetSaysItHasNoPicture) {
  EXPECT_EQ(DescribeCode(200), "code 200: open background, no picture (draws black)");
}

TEST(ReplaceField, ReadsTheLeadingNumberAsATileCodeOrSaysWhyNot) {
  // Code -1: refused, and the window is told why.
  const std::pair<const char*, int> cases[] = {
      {"3", 3},      {"12.5", 12},  {"13.5", 14},  // halves to even
      {"7abc", 7},   {"", 0},       {" 1 2 ", 12},  // blanks anywhere
      {"1e2", 100},  {"&HFF", 255}, {"-1", -1},
      {"256", -1},   {"255.5", -1}, {"99999999999999999999999999999999", -1}};
  for (const auto& [text, code] : cases) {
    const ReplaceFieldReading r = ReadReplaceField(text);
    EXPECT_EQ(r.ok ? int{r.code} : -1, code) << '"' << text << '"';
    EXPECT_EQ(r.why.find("not a tile code") != std::string::npos, !r.ok) << r.why;
  }
}

TEST(EditorGeometry, ArrowsJumpToTheEdgeAndPlacesNameTheirCell) {
  const struct { const char* name; int arrow; ViewOffsets from, to; } cases[] = {
      {"right from laid out", kArrowRight, {20, 8}, {-1280, 0}},
      {"left from laid out", kArrowLeft, {20, 8}, {0, 0}},
      {"down from laid out", kArrowDown, {20, 8}, {0, -1280}},
      {"left keeps the top", kArrowLeft, {-1280, -600}, {0, -600}},
      {"up keeps the left", kArrowUp, {-300, -1280}, {-300, 0}}};
  for (const auto& c : cases) EXPECT_EQ(ArrowJump(c.arrow, c.from), c.to) << c.name;
  EXPECT_EQ(CentreOn(800, 700), (ViewOffsets{-640, -540})) << "centred inside the block";
  // Places name their cell, or nothing outside.
  const struct { const char* name; decltype(&BlockCellAt) where; double x, y; std::optional<Cell> cell; } places[] = {
      {"block's last cell", BlockCellAt, 1599, 1599, Cell{49, 49}},
      {"block half rounds to even inside", BlockCellAt, 31.5, 0, Cell{1, 0}},
      {"left of the block", BlockCellAt, -5, 10, std::nullopt},
      {"block rounds out", BlockCellAt, 1599.6, 0, std::nullopt},
      {"overview negative", OverviewBlockAt, -3, 10, std::nullopt},
      {"sheet's last tile", SheetTileAt, 255, 767, Cell{7, 23}},
      {"right of the sheet", SheetTileAt, 256, 0, std::nullopt},
      {"below the sheet", SheetTileAt, 0, 768, std::nullopt}};
  for (const auto& c : places) EXPECT_EQ(c.where(c.x, c.y), c.cell) << c.name;
}

constexpr std::uint8_t G = kEdgeGround;
constexpr std::uint8_t R = kEdgeRock;

TEST(EdgeCode, WritesTheLastCornerThatHolds) {
  const struct { const char* name; std::uint8_t centre, up, down, left, right, written; } cases[] = {
      {"ground up-left", G, R, 0, R, 0, 11},
      {"ground up-right", G, R, 0, 0, R, 10},
      {"ground down-right", G, 0, R, 0, R, 2},
      {"ground down-left", G, 0, R, R, 0, 3},
      {"ground up-left and up-right: the second wins", G, R, 0, R, R, 10},
      {"ground all four: the last wins", G, R, R, R, R, 3},
      {"ground one neighbour", G, R, 0, 0, 0, G},
      {"rock up-left", R, G, 0, G, 0, 89},
      {"rock up-right", R, G, 0, 0, G, 88},
      {"rock down-right", R, 0, G, 0, G, 80},
      {"rock down-left", R, 0, G, G, 0, 81},
      {"rock two corners stays rock", R, G, 0, G, G, R},
      {"other code unchanged", 5, R, R, R, R, 5}};
  for (const auto& c : cases) EXPECT_EQ(EdgeCode(c.centre, c.up, c.down, c.left, c.right), c.written) << c.name;
}

// Where a block's edge reads its neighbours (each direction, across the block's edges, from
// a snapshot): cells as (x, y, code) in world cells.
TEST(EdgeBlock, ReadsNeighboursAcrossTheBlocksEdgesFromASnapshot) {
  struct CellCode { int x, y, code; };
  const struct { const char* name; int bx, by; std::vector<CellCode> given, expected; long changed; } cases[] = {
      // Corner patterns at local column 0 and row 0 of block (2, 3), neighbours in the blocks left and above.
      {"the first column and row never change", 2, 3,
       {{100, 155, G}, {100, 154, R}, {99, 155, R}, {105, 150, G}, {105, 149, R}, {104, 150, R}},
       {{100, 155, G}, {105, 150, G}}, 0},
      {"the last column looks into the next block", 0, 0, {{49, 10, G}, {49, 9, R}, {50, 10, R}}, {{49, 10, 10}}, 1},
      // Right and down of (249, 249) lie in the spare column and row: an up-left corner, not more.
      {"beyond the world reads zero", 4, 4, {{249, 249, R}, {249, 248, G}, {248, 249, G}}, {{249, 249, 89}}, 1},
      // (60, 60) becomes a corner; the rock right of it must still see ground on its left.
      {"the snapshot makes visit order irrelevant", 1, 1,
       {{60, 60, G}, {60, 59, G}, {59, 60, G}, {61, 60, R}, {61, 59, G}, {60, 61, R}},
       {{60, 60, 2}, {61, 60, 89}}, 2}};
  for (const auto& c : cases) {
    MapGrid map;
    for (const CellCode& g : c.given) map(g.x, g.y) = static_cast<std::uint8_t>(g.code);
    EXPECT_EQ(EdgeBlock(map, c.bx, c.by), c.changed) << c.name;
    for (const CellCode& e : c.expected) EXPECT_EQ(map(e.x, e.y), e.code) << c.name << " at " << e.x << "," << e.y;
  }
}

}  // namespace
}  // namespace moriva
