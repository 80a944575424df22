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

#include "EditorTestSupport.h"
#include "editor/EditorHost.h"
#include "editor/SurfaceView.h"
#include "editor/frmMain.h"
#include "editor/frmParts.h"
#include "platform/FileStore.h"
#include "support/TempFolder.h"
#include "world/MapFile.h"

namespace moriva {
namespace {

// Stands in for the program: records when the palette is created and the game is shown.
class RecordingHost : public EditorHost {
 public:
  frmParts& Parts() override {
    if (!parts) {
      parts = std::make_unique<frmParts>();
      events.push_back("palette created");
    }
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

void Send(QWidget* w, QEvent::Type type, Qt::MouseButton b, Qt::MouseButtons held, QPointF at) {
  QMouseEvent event(type, at, w->mapToGlobal(at), b, held, Qt::NoModifier);
  QApplication::sendEvent(w, &event);
}
void Press(QWidget* w, Qt::MouseButton b, QPointF at) { Send(w, QEvent::MouseButtonPress, b, b, at); }
void Release(QWidget* w, Qt::MouseButton b, QPointF at) {
  Send(w, QEvent::MouseButtonRelease, b, Qt::NoButton, at);
}
void Move(QWidget* w, Qt::MouseButtons held, QPointF at) { Send(w, QEvent::MouseMove, Qt::NoButton, held, at); }

// Lets a window that was closed and unloaded go.
void DeleteUnloaded() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

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

struct ControlCase { const char* name; const char* caption; QRect place; };  // caption nullptr: none

class EditorLayoutTest : public EditorWindowsTest, public ::testing::WithParamInterface<ControlCase> {};

TEST_P(EditorLayoutTest, ControlStandsAtItsPlace) {
  ASSERT_TRUE(window->Form_Load(true));
  const ControlCase& c = GetParam();
  QWidget* control = window->findChild<QWidget*>(QString::fromUtf8(c.name));
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(control->geometry(), c.place);
  if (!c.caption) return;
  if (auto* button = qobject_cast<QPushButton*>(control)) {
    EXPECT_EQ(button->text().toStdString(), c.caption);
  } else if (auto* label = qobject_cast<QLabel*>(control)) {
    EXPECT_EQ(label->text().toStdString(), c.caption);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Controls, EditorLayoutTest,
    ::testing::Values(ControlCase{"picFrame", nullptr, {0, 4, 320, 320}},
                      ControlCase{"picEdit", nullptr, {20, 8, 1600, 1600}},
                      ControlCase{"picMap", nullptr, {336, 8, 51, 51}},
                      ControlCase{"Picture1", nullptr, {336, 64, 161, 89}},
                      ControlCase{"cmdArrow0", "↑", {56, 8, 41, 33}},
                      ControlCase{"cmdArrow1", "→", {104, 24, 41, 33}},
                      ControlCase{"cmdArrow2", "↓", {56, 48, 41, 33}},
                      ControlCase{"cmdArrow3", "←", {8, 24, 41, 33}},
                      ControlCase{"cmdFill", "Fill", {336, 164, 81, 33}},
                      ControlCase{"cmdProve", "Edge", {424, 164, 81, 33}},
                      ControlCase{"txtFrom", nullptr, {336, 220, 33, 18}},
                      ControlCase{"lblStatic", ">", {372, 224, 6, 12}},
                      ControlCase{"txtTo", nullptr, {380, 220, 33, 17}},
                      ControlCase{"cmdReplace", "Replace", {424, 208, 81, 33}},
                      ControlCase{"cmdLoad", "Load", {336, 272, 81, 33}},
                      ControlCase{"cmdSave", "Save", {424, 272, 81, 33}},
                      ControlCase{"cmdGame", "Game", {336, 316, 169, 33}},
                      ControlCase{"cmdMakeMap", "AllMap", {440, 8, 57, 21}},
                      ControlCase{"cmdBMP", "1Map", {440, 32, 57, 21}}),
    [](const ::testing::TestParamInfo<ControlCase>& p) { return std::string(p.param.name); });

TEST_F(EditorWindowsTest, WindowsHaveTheirCaptionsAndSizes) {
  EXPECT_EQ(window->windowTitle().toStdString(), "MapDesign");
  EXPECT_EQ(window->size(), QSize(522, 477));
  EXPECT_FALSE(window->cmdSave()->isEnabled());
  EXPECT_EQ(window->lblXY()->text().toStdString(), "Label1");
  ASSERT_TRUE(window->Form_Load(true));
  EXPECT_EQ(window->lblXY()->pos(), QPoint(0, 324));
  EXPECT_TRUE(window->findChild<QWidget*>("picAllMap")->isHidden());
  frmParts& parts = *host.parts;
  EXPECT_EQ(parts.windowTitle().toStdString(), "Parts");
  EXPECT_EQ(parts.size(), QSize(261, 741));
  EXPECT_EQ(parts.picParts()->geometry(), QRect(0, -12, 256, 768));
  EXPECT_EQ(parts.shpSelect()->geometry(), QRect(0, 0, 32, 32));
}

TEST_F(EditorWindowsTest, StartUpLoadsDrawsBlockZeroThenHandsOverToTheGame) {
  window->editor().addStatusListener([this](const std::string& t) { host.events.push_back(t); });
  host.onShowGame = [this] {
    // The state the game is handed: the loaded world, block (0, 0) drawn, the last text.
    EXPECT_EQ(shared.Map, world);
    EXPECT_EQ(window->lblXY()->text().toStdString(), "240/240)");
    EXPECT_EQ(window->editor().picEdit(), test::DrawnBlock(world, host.parts->tileSheet(), 0, 0));
    EXPECT_TRUE(window->cmdSave()->isEnabled());
    EXPECT_EQ(window->picEdit()->pos(), QPoint(20, 8));
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

TEST_F(EditorWindowsTest, EditorModeKeepsBothWindowsOnScreenUntilGame) {
  ASSERT_TRUE(window->Form_Load(true));
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(host.parts->isVisible());
  EXPECT_EQ(host.events, (std::vector<std::string>{"palette created"}));
  window->findChild<QPushButton*>("cmdGame")->click();
  EXPECT_EQ(host.events.back(), "game shown");
  EXPECT_FALSE(host.parts->isVisible());
  DeleteUnloaded();
  EXPECT_TRUE(window.isNull());
}

TEST_F(EditorWindowsTest, MouseOnTheBlockPaintsAndCentres) {
  ASSERT_TRUE(window->Form_Load(true));
  QWidget* picEdit = window->picEdit();
  Release(host.parts->picParts(), Qt::RightButton, {70, 40});
  EXPECT_EQ(host.parts->shpSelect()->pos(), QPoint(64, 32));
  Press(picEdit, Qt::LeftButton, {33, 64});
  Move(picEdit, Qt::LeftButton, {70, 64});
  Release(picEdit, Qt::LeftButton, {70, 64});
  EXPECT_EQ(shared.Map(1, 2), 10);
  EXPECT_EQ(shared.Map(2, 2), 10);

  Press(picEdit, Qt::RightButton, {100, 1500});
  EXPECT_EQ(picEdit->pos(), QPoint(0, -1280));
  Release(window->picMap(), Qt::LeftButton, {27, 41});
  EXPECT_EQ(shared.BlockX, 2);

  Move(picEdit, Qt::NoButton, {33, 64});
  EXPECT_NE(window->lblInfo()->text().toStdString().find("cell (1, 2)"), std::string::npos)
      << window->lblInfo()->text().toStdString();
}

TEST_F(EditorWindowsTest, RefusedReplaceSaysWhyOnTheWindow) {
  ASSERT_TRUE(window->Form_Load(true));
  window->txtFrom()->setText("300");
  window->txtTo()->setText("1");
  window->findChild<QPushButton*>("cmdReplace")->click();
  EXPECT_NE(window->lblInfo()->text().toStdString().find("nothing changed"), std::string::npos);
  EXPECT_EQ(shared.Map, world);
  EXPECT_TRUE(errors.empty());
}

TEST_F(EditorWindowsTest, FailedSaveKeepsTheFileReportsAndGoesOn) {
  ASSERT_TRUE(window->Form_Load(true));
  window->findChild<QPushButton*>("cmdFill")->click();
  // A folder where the map file should be: it cannot be replaced.
  shared.MapFile = folder.path();
  window->cmdSave_Click();
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_FALSE(window.isNull());
  EXPECT_TRUE(window->editor().unsaved());
}

struct AnswerCase { const char* name; frmMain::UnsavedAnswer answer; bool gameShown, fileHasEdit; };

class UnsavedQuestionTest : public EditorWindowsTest,
                            public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(UnsavedQuestionTest, GameAsksBeforeUnsavedEditsGo) {
  const AnswerCase& c = GetParam();
  ASSERT_TRUE(window->Form_Load(true));
  int asked = 0;
  window->setUnsavedQuestion([&] { return ++asked, c.answer; });
  Release(host.parts->picParts(), Qt::LeftButton, {70, 40});
  Press(window->picEdit(), Qt::LeftButton, {5, 5});
  Release(window->picEdit(), Qt::LeftButton, {5, 5});
  window->cmdGame_Click();
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(host.events.back() == "game shown", c.gameShown);
  MapGrid onDisk;
  ASSERT_TRUE(LoadMap(shared.MapFile, onDisk));
  EXPECT_EQ(onDisk(0, 0) == 10, c.fileHasEdit);
  EXPECT_EQ(shared.Map(0, 0), 10);  // the game plays the world in memory
  if (c.answer != frmMain::UnsavedAnswer::Cancel) return;
  EXPECT_FALSE(window->close());  // closing and loading ask too
  window->cmdLoad_Click();
  EXPECT_EQ(asked, 3);
  EXPECT_EQ(shared.Map(0, 0), 10);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, UnsavedQuestionTest,
    ::testing::Values(AnswerCase{"Save", frmMain::UnsavedAnswer::Save, true, true},
                      AnswerCase{"Discard", frmMain::UnsavedAnswer::Discard, true, false},
                      AnswerCase{"Cancel", frmMain::UnsavedAnswer::Cancel, false, false}),
    [](const ::testing::TestParamInfo<AnswerCase>& p) { return std::string(p.param.name); });

TEST_F(EditorWindowsTest, UndoRedoAndSaveHaveTheirKeys) {
  std::vector<std::string> keys;
  for (QAction* a : window->actions())
    for (const QKeySequence& k : a->shortcuts()) keys.push_back(k.toString().toStdString());
  for (const char* key : {"Ctrl+Z", "Ctrl+Shift+Z", "Ctrl+Y", "Ctrl+S"})
    EXPECT_NE(std::find(keys.begin(), keys.end(), key), keys.end()) << key;
}

}  // namespace
}  // namespace moriva
