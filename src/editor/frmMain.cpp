#include "editor/frmMain.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "editor/EditorHost.h"
#include "editor/SurfaceView.h"
#include "editor/frmParts.h"

namespace moriva {

namespace {

constexpr const char* kCaption = "MapDesign";

// Places and sizes as the window is created.
constexpr QRect kFramePlace{0, 4, kEditFrameSize, kEditFrameSize};
constexpr QRect kOverviewPlace{336, 8, kOverviewSize, kOverviewSize};
constexpr QRect kArrowPanelPlace{336, 64, 161, 89};
constexpr std::array<QRect, 4> kArrowPlaces{QRect{56, 8, 41, 33}, QRect{104, 24, 41, 33},
                                            QRect{56, 48, 41, 33}, QRect{8, 24, 41, 33}};
constexpr std::array<const char*, 4> kArrowCaptions{"↑", "→", "↓", "←"};
constexpr QRect kFillPlace{336, 164, 81, 33};
constexpr QRect kEdgePlace{424, 164, 81, 33};
constexpr QRect kFromPlace{336, 220, 33, 18};
constexpr QRect kSignPlace{372, 224, 6, 12};
constexpr QRect kToPlace{380, 220, 33, 17};
constexpr QRect kReplacePlace{424, 208, 81, 33};
constexpr QRect kLoadPlace{336, 272, 81, 33};
constexpr QRect kSavePlace{424, 272, 81, 33};
constexpr QRect kGamePlace{336, 316, 169, 33};
constexpr QRect kAllMapPlace{440, 8, 57, 21};
constexpr QRect kOneMapPlace{440, 32, 57, 21};
constexpr QPoint kAllMapSurfacePlace{52, 304};
// Beyond the controls of the table: a line naming the cell under the pointer, and the
// editor's own messages (a refused Replace), below everything else.
constexpr QRect kInfoPlace{8, 360, 506, 110};
constexpr int kPaletteGap = 8;  // between the editor and the palette beside it

}  // namespace

frmMain::frmMain(basMoriva& module, EditorHost& host, const std::string& programFolder,
                 QWidget* parent)
    : QWidget(parent, Qt::Window),
      mod_(module),
      host_(host),
      folder_(programFolder),
      editor_(module, [this]() -> const Surface& { return Palette().tileSheet(); }) {
  setWindowTitle(QString::fromUtf8(kCaption));
  setFixedSize(kClientWidth, kClientHeight);
  askUnsaved_ = [this] {
    const auto answer = QMessageBox::question(
        this, QString::fromUtf8(kCaption),
        QStringLiteral("The world has changes that are not saved. Save them first?"),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Save) return UnsavedAnswer::Save;
    if (answer == QMessageBox::Discard) return UnsavedAnswer::Discard;
    return UnsavedAnswer::Cancel;
  };
  reportError_ = [this](const std::string& message) {
    QMessageBox::warning(this, QString::fromUtf8(kCaption), QString::fromStdString(message));
  };
  BuildControls();
  editor_.addStatusListener([this](const std::string& text) { ShowStatus(text); });
  editor_.setViewListener([this] { FollowView(); });
}

frmMain::~frmMain() {
  // The palette outlives the editor: it must not call back into a window that is gone.
  if (paletteWired_) host_.Parts().setPicker({});
}

frmParts& frmMain::Palette() {
  frmParts& parts = host_.Parts();
  if (!paletteWired_) {
    paletteWired_ = true;
    parts.setPicker([this](int button, double x, double y) { PickPart(button, x, y); });
    parts.MoveMarker(editor_.PartX * kTileSize, editor_.PartY * kTileSize);
  }
  return parts;
}

QPushButton* frmMain::Button(QWidget* parent, const char* name, const char* caption, QRect place) {
  auto* button = new QPushButton(QString::fromUtf8(caption), parent);
  button->setObjectName(QString::fromUtf8(name));
  button->setGeometry(place);
  button->setFocusPolicy(Qt::TabFocus);
  return button;
}

void frmMain::BuildControls() {
  picFrame_ = new QWidget(this);
  picFrame_->setObjectName(QStringLiteral("picFrame"));
  picFrame_->setGeometry(kFramePlace);
  picEdit_ = new SurfaceView(picFrame_);
  picEdit_->setObjectName(QStringLiteral("picEdit"));
  picEdit_->setGeometry(kViewLaidOutLeft, kViewLaidOutTop, kBlockPixels, kBlockPixels);
  picEdit_->setSurface(&editor_.picEdit());
  picEdit_->setMouseTracking(true);  // for the line naming the cell under the pointer
  connect(picEdit_, &SurfaceView::mousePressed, this, &frmMain::picEdit_MouseDown);
  connect(picEdit_, &SurfaceView::mouseMoved, this, &frmMain::picEdit_MouseMove);
  connect(picEdit_, &SurfaceView::mouseReleased, this, &frmMain::picEdit_MouseUp);

  lblXY_ = new QLabel(QStringLiteral("Label1"), this);
  lblXY_->setObjectName(QStringLiteral("lblXY"));
  lblXY_->move(kFramePlace.left(), kFramePlace.bottom() + 1);
  lblXY_->adjustSize();

  picMap_ = new SurfaceView(this);
  picMap_->setObjectName(QStringLiteral("picMap"));
  picMap_->setGeometry(kOverviewPlace);
  picMap_->setSurface(&editor_.picMapSurface());
  connect(picMap_, &SurfaceView::mouseReleased, this, &frmMain::picMap_MouseUp);

  Picture1_ = new QFrame(this);
  Picture1_->setObjectName(QStringLiteral("Picture1"));
  Picture1_->setGeometry(kArrowPanelPlace);
  Picture1_->setFrameShape(QFrame::Box);
  for (int k = 0; k < static_cast<int>(cmdArrow_.size()); ++k) {
    const std::string name = "cmdArrow" + std::to_string(k);
    cmdArrow_[k] = Button(Picture1_, name.c_str(), kArrowCaptions[k], kArrowPlaces[k]);
    connect(cmdArrow_[k], &QPushButton::clicked, this, [this, k] { cmdArrow_Click(k); });
  }

  cmdFill_ = Button(this, "cmdFill", "Fill", kFillPlace);
  connect(cmdFill_, &QPushButton::clicked, this, &frmMain::cmdFill_Click);
  cmdProve_ = Button(this, "cmdProve", "Edge", kEdgePlace);
  connect(cmdProve_, &QPushButton::clicked, this, &frmMain::cmdProve_Click);

  txtFrom_ = new QLineEdit(this);
  txtFrom_->setObjectName(QStringLiteral("txtFrom"));
  txtFrom_->setGeometry(kFromPlace);
  lblStatic_ = new QLabel(QStringLiteral(">"), this);
  lblStatic_->setObjectName(QStringLiteral("lblStatic"));
  lblStatic_->setGeometry(kSignPlace);
  txtTo_ = new QLineEdit(this);
  txtTo_->setObjectName(QStringLiteral("txtTo"));
  txtTo_->setGeometry(kToPlace);
  for (QLineEdit* field : {txtFrom_, txtTo_}) field->setTextMargins(0, 0, 0, 0);
  cmdReplace_ = Button(this, "cmdReplace", "Replace", kReplacePlace);
  connect(cmdReplace_, &QPushButton::clicked, this, &frmMain::cmdReplace_Click);

  cmdLoad_ = Button(this, "cmdLoad", "Load", kLoadPlace);
  connect(cmdLoad_, &QPushButton::clicked, this, &frmMain::cmdLoad_Click);
  cmdSave_ = Button(this, "cmdSave", "Save", kSavePlace);
  cmdSave_->setEnabled(false);
  connect(cmdSave_, &QPushButton::clicked, this, &frmMain::cmdSave_Click);
  cmdGame_ = Button(this, "cmdGame", "Game", kGamePlace);
  connect(cmdGame_, &QPushButton::clicked, this, &frmMain::cmdGame_Click);
  cmdMakeMap_ = Button(this, "cmdMakeMap", "AllMap", kAllMapPlace);
  connect(cmdMakeMap_, &QPushButton::clicked, this, &frmMain::cmdMakeMap_Click);
  cmdBMP_ = Button(this, "cmdBMP", "1Map", kOneMapPlace);
  connect(cmdBMP_, &QPushButton::clicked, this, &frmMain::cmdBMP_Click);

  picAllMap_ = new SurfaceView(this);
  picAllMap_->setObjectName(QStringLiteral("picAllMap"));
  picAllMap_->move(kAllMapSurfacePlace);
  picAllMap_->hide();

  lblInfo_ = new QLabel(this);
  lblInfo_->setObjectName(QStringLiteral("lblInfo"));
  lblInfo_->setGeometry(kInfoPlace);
  lblInfo_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblInfo_->setWordWrap(true);

  // Beyond the buttons: undo and redo of every edit, and Ctrl+S.
  QAction* undo = editor_.history().createUndoAction(this, QStringLiteral("Undo"));
  undo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
  addAction(undo);
  QAction* redo = editor_.history().createRedoAction(this, QStringLiteral("Redo"));
  redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  addAction(redo);
  auto* save = new QAction(QStringLiteral("Save"), this);
  save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  connect(save, &QAction::triggered, this, [this] {
    if (cmdSave_->isEnabled()) cmdSave_Click();
  });
  addAction(save);
}

bool frmMain::Form_Load(bool stayInEditor, std::string* error) {
  editor_.SetUp(folder_);
  picFrame_->resize(kEditFrameSize, kEditFrameSize);
  picEdit_->resize(kBlockPixels, kBlockPixels);
  lblXY_->move(picFrame_->x(), picFrame_->y() + picFrame_->height());
  picMap_->resize(kOverviewSize, kOverviewSize);
  const IoResult loaded = editor_.cmdLoad_Click();
  if (!loaded) {
    if (error) *error = loaded.message;
    return false;
  }
  cmdSave_->setEnabled(editor_.saveEnabled());
  if (!stayInEditor) {
    cmdGame_Click();
    return true;
  }
  show();
  frmParts& parts = Palette();
  parts.move(frameGeometry().right() + kPaletteGap, frameGeometry().top());
  parts.show();
  return true;
}

void frmMain::ShowStatus(const std::string& text) {
  lblXY_->setText(QString::fromStdString(text));
  lblXY_->adjustSize();
  // Load and save run without yielding: the text must be on screen before they go on.
  lblXY_->repaint();
}

void frmMain::ShowInfo(const std::string& text) { lblInfo_->setText(QString::fromStdString(text)); }

void frmMain::FollowView() { picEdit_->move(editor_.view().left, editor_.view().top); }

void frmMain::Report(const IoResult& r) {
  if (!r && reportError_) reportError_(r.message);
}

void frmMain::cmdArrow_Click(int k) { editor_.cmdArrow_Click(k); }

void frmMain::picEdit_MouseDown(int button, double x, double y) {
  if (busy_) return;
  editor_.picEdit_MouseDown(button, x, y);
}

void frmMain::picEdit_MouseMove(int buttons, double x, double y) {
  if (busy_) return;
  editor_.picEdit_MouseMove(buttons, x, y);
  ShowInfo(editor_.DescribeAt(x, y));
}

void frmMain::picEdit_MouseUp(int button, double x, double y) { editor_.picEdit_MouseUp(button, x, y); }

void frmMain::picMap_MouseUp(int button, double x, double y) {
  if (busy_) return;
  editor_.picMap_MouseUp(button, x, y);
}

void frmMain::PickPart(int button, double x, double y) {
  if (editor_.picParts_MouseUp(button, x, y))
    Palette().MoveMarker(editor_.PartX * kTileSize, editor_.PartY * kTileSize);
}

void frmMain::cmdFill_Click() {
  if (busy_) return;
  editor_.cmdFill_Click();
}

void frmMain::cmdProve_Click() {
  if (busy_) return;
  editor_.cmdProve_Click();
}

void frmMain::cmdReplace_Click() {
  if (busy_) return;
  const ReplaceOutcome r =
      editor_.cmdReplace_Click(txtFrom_->text().toStdString(), txtTo_->text().toStdString());
  ShowInfo(r.done ? "Replace: " + std::to_string(r.changed) + " cells changed" : r.message);
}

void frmMain::cmdLoad_Click() {
  if (busy_ || !MayDropEdits()) return;
  Report(editor_.cmdLoad_Click());
  cmdSave_->setEnabled(editor_.saveEnabled());
}

void frmMain::cmdSave_Click() {
  if (busy_) return;
  Report(editor_.cmdSave_Click());
}

void frmMain::cmdGame_Click() {
  if (busy_ || !MayDropEdits()) return;
  host_.ShowGame();
  Palette().hide();
  handingOver_ = true;
  close();
  // Unloaded: the grid and the block indices live on in the shared state.
  deleteLater();
}

void frmMain::cmdMakeMap_Click() {
  if (busy_) return;
  busy_ = true;
  const IoResult r = editor_.cmdMakeMap_Click([] {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  });
  picAllMap_->setSurface(&editor_.picAllMap());
  picAllMap_->resize(editor_.picAllMap().width(), editor_.picAllMap().height());
  busy_ = false;
  Report(r);
}

void frmMain::cmdBMP_Click() { Report(editor_.cmdBMP_Click()); }

bool frmMain::MayDropEdits() {
  if (!editor_.unsaved()) return true;
  switch (askUnsaved_ ? askUnsaved_() : UnsavedAnswer::Cancel) {
    case UnsavedAnswer::Save: {
      const IoResult r = editor_.cmdSave_Click();
      Report(r);
      return static_cast<bool>(r);
    }
    case UnsavedAnswer::Discard: return true;
    case UnsavedAnswer::Cancel: return false;
  }
  return false;
}

void frmMain::closeEvent(QCloseEvent* event) {
  if (!handingOver_ && !MayDropEdits()) {
    event->ignore();
    return;
  }
  // Hidden first, so that closing the editor on its own ends the program.
  if (!handingOver_ && paletteWired_) host_.Parts().hide();
  event->accept();
}

}  // namespace moriva
