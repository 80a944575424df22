#include "editor/MapEditor.h"

#include <gtest/gtest.h>

#include "EditorTestSupport.h"
#include "editor/CellInfo.h"
#include "editor/MapExport.h"
#include "platform/FileStore.h"
#include "platform/Pictures.h"
#include "support/TempFolder.h"
#include "world/MapFile.h"

namespace moriva {
namespace {

using test::CellsChanged;
using test::DrawnBlock;
using test::ShowsTile;

constexpr Pixel kWhite = Rgb(255, 255, 255), kMarker = Rgb(255, 0, 0), kGrid = Rgb(1, 0, 0);

struct Spot { int x, y; Pixel colour; };

void ExpectPixels(const Surface& s, std::initializer_list<Spot> spots) {
  for (const Spot& p : spots) EXPECT_EQ(s.pixel(p.x, p.y), p.colour) << p.x << "," << p.y;
}

class MapEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(sheet.empty());
    // A world with a few codes to replace, and the file the editor loads.
    for (int x = 0; x < kWorldTiles; ++x)
      for (int y = 0; y < kWorldTiles; ++y) world(x, y) = static_cast<std::uint8_t>((x + 2 * y) % 12);
    ASSERT_TRUE(SaveMap(MapFilePath(folder.path()), world));
    editor.addStatusListener([this](const std::string&) { ++statusTexts; });
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
  int statusTexts = 0;
};

// The progress texts themselves are the map file's; the overview's grid and marker are here.
TEST_F(MapEditorTest, LoadShowsProgressDrawsBlockZeroAndEnablesSave) {
  EXPECT_EQ(statusTexts, 25);
  EXPECT_EQ(editor.status(), "240/240)");
  EXPECT_EQ(map(), world);
  EXPECT_EQ(shared.MapFile, folder.file("mapdata.dat"));
  EXPECT_TRUE(editor.saveEnabled());
  EXPECT_FALSE(editor.unsaved());
  EXPECT_EQ(editor.picEdit(), DrawnBlock(world, sheet, 0, 0));
  EXPECT_EQ(editor.view(), (ViewOffsets{20, 8}));
  // Grid in colour value 1 at 0, 10, ... 40, none at 50; the red marker on block (0, 0).
  ExpectPixels(editor.picMap(), {{10, 25, kGrid}, {50, 25, kWhite}, {1, 5, kMarker}, {9, 9, kMarker}, {5, 5, kWhite}});
}

// With the palette untouched since start, painting writes code 0 and draws tile 0.
TEST_F(MapEditorTest, LeftPressPaintsOneCellWithOneTransfer) {
  ASSERT_NE(world(1, 2), 0);
  const long transfers = editor.picEdit().transferCount();
  editor.picEdit_MouseDown(kLeftButton, 33, 64);
  EXPECT_EQ(editor.picEdit().transferCount() - transfers, 1);
  EXPECT_EQ(CellsChanged(world, map()), 1);
  EXPECT_EQ(map()(1, 2), 0);
  EXPECT_TRUE(ShowsTile(editor.picEdit(), 32, 64, sheet, 0));
}

TEST_F(MapEditorTest, LeftDragPaintsAtEveryMoveInsideRightPressCentresAndMovesNothing) {
  editor.PartCode = 7;
  editor.PartX = 7;
  editor.picEdit_MouseDown(kLeftButton, 0, 0);
  for (auto [x, y] : {std::pair{40, 0}, {80, 0}, {-40, 0}, {40, 1700}}) editor.picEdit_MouseMove(kLeftButton, x, y);
  editor.picEdit_MouseUp(kLeftButton, 80, 0);
  EXPECT_EQ(CellsChanged(world, map()), 3) << "the world holds no 7 in its first row";
  EXPECT_TRUE(map()(0, 0) == 7 && map()(1, 0) == 7 && map()(2, 0) == 7);

  editor.picEdit_MouseDown(kRightButton, 100, 1500);
  EXPECT_EQ(editor.status(), "(X,Y)=(0,-1280)");
  const MapGrid before = map();
  editor.picEdit_MouseMove(kRightButton, 900, 300);
  editor.picEdit_MouseMove(kLeftButton | kRightButton, 900, 300);
  editor.picEdit_MouseDown(4, 300, 300);  // middle button: nothing
  EXPECT_EQ(editor.view(), (ViewOffsets{0, -1280}));
  EXPECT_EQ(map(), before);
}

TEST_F(MapEditorTest, OverviewReleaseSelectsTheBlockAndKeepsTheView) {
  editor.cmdArrow_Click(kArrowDown);
  const ViewOffsets view = editor.view();
  ASSERT_TRUE(editor.picMap_MouseUp(2, 27, 41));
  EXPECT_EQ((std::pair{shared.BlockX, shared.BlockY}), (std::pair<std::int16_t, std::int16_t>{2, 4}));
  EXPECT_EQ(editor.view(), view);
  EXPECT_EQ(editor.picEdit(), DrawnBlock(world, sheet, 2, 4));
  // The old marker erased, the new one drawn, the grid untouched.
  ExpectPixels(editor.picMap(), {{1, 1, kWhite}, {21, 41, kMarker}, {29, 49, kMarker}, {20, 45, kGrid}});

  const long transfers = editor.picEdit().transferCount();
  EXPECT_FALSE(editor.picMap_MouseUp(1, 50, 5)) << "outside the blocks";
  EXPECT_EQ(shared.BlockX, 2);
  EXPECT_EQ(editor.picEdit().transferCount(), transfers);
}

TEST_F(MapEditorTest, FillSetsExactlyTheBlockAndDrawsItOnce) {
  Select(1, 2);
  editor.picParts_MouseUp(1, 5 * 32, 0);
  const long transfers = editor.picEdit().transferCount();
  const long refreshes = editor.picEdit().refreshCount();
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

// The fields' reading is ReplaceFieldTest's; here, that every cell of the world changes.
TEST_F(MapEditorTest, ReplaceChangesEveryCellOfTheCodeAndEndsOnBlockZero) {
  Select(3, 2);
  const ReplaceOutcome r = editor.cmdReplace_Click("3", "12.5");
  ASSERT_TRUE(r.done) << r.message;
  MapGrid expected = world;
  for (int x = 0; x < kWorldTiles; ++x)
    for (int y = 0; y < kWorldTiles; ++y)
      if (expected(x, y) == 3) expected(x, y) = 12;
  EXPECT_EQ(map(), expected);
  EXPECT_EQ(r.changed, CellsChanged(world, map()));
  EXPECT_EQ(editor.cmdReplace_Click("5", "5").changed, 0);
  EXPECT_EQ((std::pair{shared.BlockX, shared.BlockY}), (std::pair<std::int16_t, std::int16_t>{0, 0}));
  EXPECT_EQ(editor.picEdit(), DrawnBlock(map(), sheet, 0, 0));
}

TEST_F(MapEditorTest, OneMapNamesTheBlockAndKeepsPaintingOutsideTheView) {
  Select(4, 1);
  editor.picParts_MouseUp(1, 70, 40);
  editor.picEdit_MouseDown(kLeftButton, 45 * 32, 45 * 32);  // far outside the 320 px view
  ASSERT_TRUE(editor.cmdBMP_Click());
  const Surface saved = LoadImageFile(folder.file("map41.bmp"));
  ASSERT_EQ(saved.width(), kBlockPixels);
  EXPECT_TRUE(ShowsTile(saved, 45 * 32, 45 * 32, sheet, 10));
  EXPECT_EQ(OneMapFileName(2, 3), "map23.bmp");
}

TEST_F(MapEditorTest, AllMapReducesEveryBlockAndRedrawsTheCurrentOne) {
  Select(1, 3);
  int pumped = 0;
  ASSERT_TRUE(editor.cmdMakeMap_Click([&] { ++pumped; }));
  EXPECT_EQ(pumped, 25);
  const Surface& all = editor.picAllMap();
  ASSERT_EQ(all.width(), 1000);
  ASSERT_EQ(all.height(), 1000);
  Surface reduced(200, 200);
  StretchBlt(reduced, 0, 0, 200, 200, DrawnBlock(world, sheet, 3, 1), 0, 0, 1600, 1600);
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 200; ++x) ASSERT_EQ(all.pixel(600 + x, 200 + y), reduced.pixel(x, y));
  EXPECT_EQ(LoadImageFile(folder.file("allmap.bmp")), all);
  EXPECT_EQ(editor.picEdit(), DrawnBlock(world, sheet, 1, 3));
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

TEST_F(MapEditorTest, FailedLoadKeepsTheGridFailedSaveKeepsTheEdits) {
  editor.cmdFill_Click();
  const MapGrid edited = map();
  shared.MapFile = folder.file("no-such-folder/mapdata.dat");
  EXPECT_FALSE(editor.cmdSave_Click());
  EXPECT_TRUE(editor.unsaved());
  shared.MapFile = folder.path();  // a folder, not a file
  EXPECT_FALSE(editor.cmdLoad_Click());
  EXPECT_EQ(map(), edited);
}

struct UndoCase { const char* name; void (*edit)(MapEditor&); bool savedAfterEdit = false; };  // true: a load

class UndoTest : public MapEditorTest, public ::testing::WithParamInterface<UndoCase> {};

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
  EXPECT_EQ(editor.unsaved(), !GetParam().savedAfterEdit);
  const int bx = shared.BlockX, by = shared.BlockY;

  editor.history().undo();
  EXPECT_EQ(map(), before);
  EXPECT_EQ(editor.picEdit(), DrawnBlock(before, sheet, bx, by));
  EXPECT_EQ(editor.unsaved(), GetParam().savedAfterEdit);
  editor.history().redo();
  EXPECT_EQ(map(), after);
  EXPECT_EQ(editor.picEdit(), DrawnBlock(after, sheet, bx, by));
}

INSTANTIATE_TEST_SUITE_P(
    Edits, UndoTest,
    ::testing::Values(UndoCase{"PaintStroke",
                               [](MapEditor& e) {
                                 e.picEdit_MouseDown(kLeftButton, 40, 40);
                                 e.picEdit_MouseMove(kLeftButton, 80, 40);
                                 e.picEdit_MouseUp(kLeftButton, 80, 40);
                               }},
                      UndoCase{"Fill", [](MapEditor& e) { e.cmdFill_Click(); }},
                      UndoCase{"Replace", [](MapEditor& e) { e.cmdReplace_Click("3", "200"); }},
                      UndoCase{"Edge", [](MapEditor& e) { e.cmdProve_Click(); }},
                      UndoCase{"Load",
                               [](MapEditor& e) {
                                 MapGrid other;
                                 other(7, 7) = 99;
                                 ASSERT_TRUE(SaveMap(e.module().MapFile, other));
                                 ASSERT_TRUE(e.cmdLoad_Click());
                               },
                               true}),
    [](const ::testing::TestParamInfo<UndoCase>& p) { return std::string(p.param.name); });

// Ctrl+S reaches Save even while the button is still disabled: an empty grid must not
// replace the world on disk.
TEST(MapEditorBeforeLoad, SaveIsRefusedAndTheFileKept) {
  test::TempFolder folder;
  MapGrid world, onDisk;
  world(3, 4) = 9;
  ASSERT_TRUE(SaveMap(MapFilePath(folder.path()), world));
  basMoriva shared;
  const Surface sheet;
  MapEditor editor{shared, [&]() -> const Surface& { return sheet; }};
  editor.SetUp(folder.path());
  EXPECT_FALSE(editor.cmdSave_Click());
  ASSERT_TRUE(LoadMap(shared.MapFile, onDisk));
  EXPECT_EQ(onDisk, world);
}

TEST(CellInfo, NamesTheCellAndWhatItsCodeDoes) {
  MapGrid map;
  map(53, 104) = 55;
  EXPECT_EQ(DescribeCell(map, 1, 2, {3, 4}), "block (1, 2) cell (3, 4) world (53, 104) code 55: treasure box");
  EXPECT_EQ(DescribeCode(150), "code 150: door (opens with its key)");
  EXPECT_EQ(DescribeCode(200), "code 200: open background, no picture (draws black)");
}

}  // namespace
}  // namespace moriva
