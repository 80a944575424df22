#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <string>

#include "editor/MapEditor.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace moriva {

class EditorHost;
class frmParts;
class SurfaceView;

// The map editor's window, "MapDesign": one block at full size inside a 320 px frame, the
// block overview, the arrow jumps, the bulk edits, load and save, the exports and the way
// into the game. The work is done by MapEditor; this window lays out the controls, turns
// their events into its calls and shows its surfaces.
class frmMain : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 522;
  static constexpr int kClientHeight = 477;

  // What to do with unsaved edits before they could be lost.
  enum class UnsavedAnswer { Save, Discard, Cancel };
  using UnsavedQuestion = std::function<UnsavedAnswer()>;
  using ErrorReport = std::function<void(const std::string&)>;

  frmMain(basMoriva& module, EditorHost& host, const std::string& programFolder,
          QWidget* parent = nullptr);
  ~frmMain() override;

  // The load step: the map file's path, the panes, Load map, then (unless the editor is to
  // stay on screen) the Game action. False when the world could not be read; `error` says why.
  bool Form_Load(bool stayInEditor, std::string* error = nullptr);

  void cmdArrow_Click(int k);
  void cmdFill_Click();
  void cmdProve_Click();
  void cmdReplace_Click();
  void cmdLoad_Click();
  void cmdSave_Click();
  void cmdGame_Click();
  void cmdMakeMap_Click();
  void cmdBMP_Click();

  MapEditor& editor() { return editor_; }
  SurfaceView* picEdit() const { return picEdit_; }
  SurfaceView* picMap() const { return picMap_; }
  QWidget* picFrame() const { return picFrame_; }
  QLabel* lblXY() const { return lblXY_; }
  QLabel* lblInfo() const { return lblInfo_; }
  QLineEdit* txtFrom() const { return txtFrom_; }
  QLineEdit* txtTo() const { return txtTo_; }
  QPushButton* cmdSave() const { return cmdSave_; }

  // Tests answer for the person at the screen.
  void setUnsavedQuestion(UnsavedQuestion q) { askUnsaved_ = std::move(q); }
  void setErrorReport(ErrorReport r) { reportError_ = std::move(r); }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  frmParts& Palette();
  QPushButton* Button(QWidget* parent, const char* name, const char* caption, QRect place);
  void picEdit_MouseDown(int button, double x, double y);
  void picEdit_MouseMove(int buttons, double x, double y);
  void picEdit_MouseUp(int button, double x, double y);
  void picMap_MouseUp(int button, double x, double y);
  void PickPart(int button, double x, double y);
  void FollowView();
  void ShowStatus(const std::string& text);
  void ShowInfo(const std::string& text);
  // True when the edits may be dropped: nothing unsaved, saved now, or discarded.
  bool MayDropEdits();
  void Report(const IoResult& r);

  basMoriva& mod_;
  EditorHost& host_;
  std::string folder_;
  MapEditor editor_;
  UnsavedQuestion askUnsaved_;
  ErrorReport reportError_;
  bool handingOver_ = false;
  bool paletteWired_ = false;
  bool busy_ = false;

  QWidget* picFrame_ = nullptr;
  SurfaceView* picEdit_ = nullptr;
  QLabel* lblXY_ = nullptr;
  SurfaceView* picMap_ = nullptr;
  QFrame* Picture1_ = nullptr;
  std::array<QPushButton*, 4> cmdArrow_{};
  QPushButton* cmdFill_ = nullptr;
  QPushButton* cmdProve_ = nullptr;
  QLineEdit* txtFrom_ = nullptr;
  QLabel* lblStatic_ = nullptr;
  QLineEdit* txtTo_ = nullptr;
  QPushButton* cmdReplace_ = nullptr;
  QPushButton* cmdLoad_ = nullptr;
  QPushButton* cmdSave_ = nullptr;
  QPushButton* cmdGame_ = nullptr;
  QPushButton* cmdMakeMap_ = nullptr;
  QPushButton* cmdBMP_ = nullptr;
  SurfaceView* picAllMap_ = nullptr;
  QLabel* lblInfo_ = nullptr;
};

}  // namespace moriva
