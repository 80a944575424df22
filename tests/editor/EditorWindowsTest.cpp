#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <memory>

#include "editor/EditorHost.h"
#include "editor/SurfaceView.h"
#include "editor/frmMain.h"
#include "editor/frmParts.h"
#include "support/TempFolder.h"
#include "world/DrawBlock.h"
#include "world/MapFile.h"

namespace moriva {
namespace {

// Stands in for the program: records when the palette is created and the game is shown.
class RecordingHost : public EditorHost {
 public:
  frmParts& Parts() override {
    if (!parts) parts = std::make_unique<frmParts>(), events.push_back("palette created");
    return *parts;
  }
  void ShowGame() override {
    events.push_back("game shown");
    if (onShowGame) onShowGame();
  }
  std::unique_ptr<frmParts> parts;
  std::vector<std::string> events;
  std::function<void()> onShowGame;
};

// A mouse event as the window gets it: a press holds its button, a move the buttons given.
void Mouse(QWidget* w, QEvent::Type type, Qt::MouseButton b, QPointF at) {
  const bool move = type == QEvent::MouseMove, release = type == QEvent::MouseButtonRelease;
  QMouseEvent event(type, at, w->mapToGlobal(at), move ? Qt::NoButton : b, release ? Qt::NoButton : b, Qt::NoModifier);
  QApplication::sendEvent(w, &event);
}

// The block surface that DrawBlock gives for the grid: what the editor must show after
// every edit, undo and redo.
Surface DrawnBlock(const MapGrid& map, const Surface& sheet, int bx, int by) {
  Surface s(kBlockPixels, kBlockPixels);
  DrawBlock(map, sheet, bx, by, s);
  return s;
}

// Lets a window that was closed and unloaded go.
void DeleteUnloaded() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// The main window on a world with codes at (1, 2) and (120, 210); errors are collected.
class EditorWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    world(1, 2) = 9;
    world(120, 210) = 3;
    ASSERT_TRUE(SaveMap(MapFilePath(folder.path()), world));
    window = new frmMain(shared, host, folder.path());
    window->setErrorReport([this](const std::string& m) { errors.push_back(m); });
  }
  void TearDown() override {
    delete window.data();
    DeleteUnloaded();
  }

  test::TempFolder folder;
  MapGrid world;
  basMoriva shared;
  RecordingHost host;
  QPointer<frmMain> window;
  std::vector<std::string> errors;
};

TEST_F(EditorWindowsTest, EditorModeShowsBothWindowsAndTheirControlsUntilGame) {
  EXPECT_EQ(window->lblXY()->text().toStdString(), "Label1");
  EXPECT_FALSE(window->cmdSave()->isEnabled());
  ASSERT_TRUE(window->Form_Load(true));
  EXPECT_EQ(window->windowTitle().toStdString(), "MapDesign");
  EXPECT_EQ(window->size(), QSize(522, 477));
  EXPECT_EQ(host.parts->windowTitle().toStdString(), "Parts");
  EXPECT_EQ(host.parts->size(), QSize(261, 741));
  EXPECT_EQ(host.parts->picParts()->geometry(), QRect(0, -12, 256, 768));
  EXPECT_EQ(host.parts->shpSelect()->geometry(), QRect(0, 0, 32, 32));
  EXPECT_EQ(window->lblXY()->pos(), QPoint(0, 324));
  EXPECT_TRUE(window->findChild<QWidget*>("picAllMap")->isHidden());
  // A button's or a label's caption; the fields start empty, pictures have none.
  const struct { const char* name; const char* caption; QRect place; } controls[] = {
      {"picFrame", "", {0, 4, 320, 320}},       {"picEdit", "", {20, 8, 1600, 1600}},
      {"picMap", "", {336, 8, 51, 51}},         {"Picture1", "", {336, 64, 161, 89}},
      {"cmdArrow0", "↑", {56, 8, 41, 33}},      {"cmdArrow1", "→", {104, 24, 41, 33}},
      {"cmdArrow2", "↓", {56, 48, 41, 33}},     {"cmdArrow3", "←", {8, 24, 41, 33}},
      {"cmdFill", "Fill", {336, 164, 81, 33}},  {"cmdProve", "Edge", {424, 164, 81, 33}},
      {"txtFrom", "", {336, 220, 33, 18}},      {"lblStatic", ">", {372, 224, 6, 12}},
      {"txtTo", "", {380, 220, 33, 17}},        {"cmdReplace", "Replace", {424, 208, 81, 33}},
      {"cmdLoad", "Load", {336, 272, 81, 33}},  {"cmdSave", "Save", {424, 272, 81, 33}},
      {"cmdGame", "Game", {336, 316, 169, 33}}, {"cmdMakeMap", "AllMap", {440, 8, 57, 21}},
      {"cmdBMP", "1Map", {440, 32, 57, 21}}};
  for (const auto& c : controls) {
    QWidget* control = window->findChild<QWidget*>(QString::fromUtf8(c.name));
    ASSERT_NE(control, nullptr) << c.name;
    EXPECT_EQ(control->geometry(), c.place) << c.name;
    EXPECT_EQ(control->property("text").toString().toStdString(), c.caption) << c.name;
  }
  // In editor mode both windows stay on screen until Game.
  EXPECT_TRUE(window->isVisible() && host.parts->isVisible());
  EXPECT_EQ(host.events, (std::vector<std::string>{"palette created"}));
  window->findChild<QPushButton*>("cmdGame")->click();
  EXPECT_EQ(host.events.back(), "game shown");
  EXPECT_FALSE(host.parts->isVisible());
  DeleteUnloaded();
  EXPECT_TRUE(window.isNull());
}

TEST_F(EditorWindowsTest, StartUpLoadsDrawsBlockZeroThenHandsOverToTheGame) {
  window->editor().addStatusListener([this](const std::string& t) { host.events.push_back(t); });
  host.onShowGame = [this] {
    // The state the game is handed: the loaded world, block (0, 0) drawn, the last text.
    EXPECT_EQ(shared.Map, world);
    EXPECT_EQ(window->lblXY()->text().toStdString(), "240/240)");
    EXPECT_EQ(window->editor().picEdit(), DrawnBlock(world, host.parts->tileSheet(), 0, 0));
    EXPECT_TRUE(window->cmdSave()->isEnabled());
  };
  ASSERT_TRUE(window->Form_Load(false));
  // The 25 progress texts, then the palette, then the game.
  ASSERT_EQ(host.events.size(), 27u);
  EXPECT_EQ(std::vector(host.events.end() - 3, host.events.end()),
            (std::vector<std::string>{"240/240)", "palette created", "game shown"}));
  EXPECT_TRUE(host.parts->isHidden());
  EXPECT_FALSE(window->isVisible());  // never on screen: what the player sees is the game
  DeleteUnloaded();
  EXPECT_TRUE(window.isNull());
}

TEST_F(EditorWindowsTest, MouseOnThePicturesPicksPaintsCentresAndSelects) {
  ASSERT_TRUE(window->Form_Load(true));
  QWidget* picEdit = window->picEdit();
  Mouse(host.parts->picParts(), QEvent::MouseButtonRelease, Qt::RightButton, {70, 40});
  EXPECT_EQ(host.parts->shpSelect()->pos(), QPoint(64, 32));
  Mouse(picEdit, QEvent::MouseButtonPress, Qt::LeftButton, {33, 64});
  Mouse(picEdit, QEvent::MouseMove, Qt::LeftButton, {70, 64});
  Mouse(picEdit, QEvent::MouseButtonRelease, Qt::LeftButton, {70, 64});
  EXPECT_EQ(std::pair(int{shared.Map(1, 2)}, int{shared.Map(2, 2)}), std::pair(10, 10));
  Mouse(picEdit, QEvent::MouseButtonPress, Qt::RightButton, {100, 1500});
  EXPECT_EQ(picEdit->pos(), QPoint(0, -1280));
  Mouse(window->picMap(), QEvent::MouseButtonRelease, Qt::LeftButton, {27, 41});
  EXPECT_EQ(shared.BlockX, 2);
  Mouse(picEdit, QEvent::MouseMove, Qt::NoButton, {33, 64});
  EXPECT_EQ(window->lblInfo()->text().toStdString(), "block (2, 4) cell (1, 2) world (101, 202) code 0: open background");
}

// A refused Replace says why on the window; a failed save is reported and the window goes on.
TEST_F(EditorWindowsTest, RefusalsShowOnTheWindowFailuresAreReported) {
  ASSERT_TRUE(window->Form_Load(true));
  window->txtFrom()->setText("300");
  window->txtTo()->setText("1");
  window->findChild<QPushButton*>("cmdReplace")->click();
  EXPECT_NE(window->lblInfo()->text().toStdString().find("nothing changed"), std::string::npos);
  EXPECT_EQ(shared.Map, world);
  EXPECT_TRUE(errors.empty());
  window->findChild<QPushButton*>("cmdFill")->click();
  shared.MapFile = folder.path();  // a folder where the map file should be: it cannot be replaced
  window->cmdSave_Click();
  EXPECT_EQ(errors.size(), 1u);
  EXPECT_FALSE(window.isNull());
  EXPECT_TRUE(window->editor().unsaved());
}

struct AnswerCase { const char* name; frmMain::UnsavedAnswer answer; bool gameShown, fileHasEdit; };

class UnsavedQuestionTest : public EditorWindowsTest, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(UnsavedQuestionTest, GameAsksBeforeUnsavedEditsGo) {
  const AnswerCase& c = GetParam();
  ASSERT_TRUE(window->Form_Load(true));
  int asked = 0;
  window->setUnsavedQuestion([&] { return ++asked, c.answer; });
  window->cmdFill_Click();  // code 0 over the 9 at (1, 2)
  window->cmdGame_Click();
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(host.events.back() == "game shown", c.gameShown);
  MapGrid onDisk;
  ASSERT_TRUE(LoadMap(shared.MapFile, onDisk));
  EXPECT_EQ(onDisk(1, 2) == 0, c.fileHasEdit);
  EXPECT_EQ(shared.Map(1, 2), 0);  // the game plays the world in memory
  if (c.answer != frmMain::UnsavedAnswer::Cancel) return;
  EXPECT_FALSE(window->close());  // closing and loading ask too
  window->cmdLoad_Click();
  EXPECT_EQ(asked, 3);
  EXPECT_EQ(shared.Map(1, 2), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, UnsavedQuestionTest,
    ::testing::Values(AnswerCase{"Save", frmMain::UnsavedAnswer::Save, true, true},
                      AnswerCase{"Discard", frmMain::UnsavedAnswer::Discard, true, false},
                      AnswerCase{"Cancel", frmMain::UnsavedAnswer::Cancel, false, false}),
    [](const ::testing::TestParamInfo<AnswerCase>& p) { return std::string(p.param.name); });

TEST_F(EditorWindowsTest, UndoRedoAndSaveHaveTheirKeys) {
  QStringList keys;
  for (QAction* a : window->actions())
    for (const QKeySequence& k : a->shortcuts()) keys << k.toString();
  for (const char* key : {"Ctrl+Z", "Ctrl+Shift+Z", "Ctrl+Y", "Ctrl+S"}) EXPECT_TRUE(keys.contains(key)) << key;
}

}  // namespace
}  // namespace moriva
