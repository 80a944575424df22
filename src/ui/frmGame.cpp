#include "ui/frmGame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <algorithm>
#include <cstring>

#include "ui/EndingView.h"
#include "ui/PadInput.h"
#include "game/GameAudio.h"
#include "game/GameTables.h"
#include "ui/frmGetItem.h"
#include "platform/CaptionHeight.h"
#include "platform/ControllerSource.h"
#include "platform/KeyCodes.h"
#include "platform/MidiDevice.h"
#include "platform/Pictures.h"
#include "platform/WavPlayer.h"
#include "world/basMoriva.h"

namespace moriva {

namespace {

struct Box {
  int x, y, w, h;
};

// Play screen.
constexpr Box kPicFrame = {8, 4, kViewFrameSize, kViewFrameSize};
constexpr Box kLblBeta2 = {384, 56, 83, 16};
constexpr Box kLblDps = {12, 328, 33, 12};
constexpr int kDpsPixelSize = 10;
// The note saying which sound is off, at the bottom right of the status panel.
constexpr Box kLblSound = {404, 326, 100, 12};
constexpr int kItemLeft = 340, kItemStep = 32, kItemTopRow0 = 262, kItemTopRow1 = 294;
constexpr int kItem6Top = 292;  // icon 6 stands two pixels higher than its row
constexpr int kItemsPerRow = 5;
constexpr int kMapLeft = 342, kMapTop = 113, kMapStep = 24, kMapSquare = 18;

// Title screen.
constexpr Box kPicTitle = {0, 0, 518, 350};
constexpr Box kLblBeta1 = {392, 168, 107, 21};
constexpr std::array<Box, 3> kLblTitle = {{{272, 208, 134, 29}, {272, 248, 136, 29}, {273, 288, 71, 29}}};
constexpr std::array<Box, 2> kLblWait = {{{168, 152, 204, 35}, {172, 156, 204, 35}}};
constexpr std::array<const char*, 3> kTitleTexts = {"はじめから", "つづきから", "設 定"};
constexpr const char* kPleaseWait = "Please wait...";

constexpr const char* kGothic = "ＭＳ Ｐゴシック";
constexpr const char* kMincho = "ＭＳ Ｐ明朝";
constexpr QRgb kBeta1Color = qRgb(255, 255, 192);
constexpr QRgb kBeta2Color = qRgb(255, 255, 128);
constexpr std::array<QRgb, 2> kWaitColors = {qRgb(255, 255, 128), qRgb(192, 192, 0)};
// The disabled entry's text, whatever colour the menu gives it.
constexpr QRgb kGreyedText = qRgb(128, 128, 128);
constexpr QRgb kRopeColor = qRgb(192, 64, 0);
constexpr QRgb kDpsColor = qRgb(255, 255, 255);

QRect Rect(const Box& b) { return {b.x, b.y, b.w, b.h}; }

QFont DesignFont(const char* family, double points, bool italic = false) {
  QFont f(QString::fromUtf8(family));
  f.setPointSizeF(points);
  f.setBold(true);
  f.setItalic(italic);
  return f;
}

// Sets the colour an enabled label is drawn in; a disabled one keeps its greyed colour.
void SetTextColor(QLabel* label, QRgb color) {
  QPalette p = label->palette();
  p.setColor(QPalette::Active, QPalette::WindowText, QColor::fromRgb(color));
  p.setColor(QPalette::Inactive, QPalette::WindowText, QColor::fromRgb(color));
  label->setPalette(p);
}

void SetGreyed(QLabel* label) {
  label->setEnabled(false);
  // The mouse goes through it to the title picture: no highlight, no click.
  label->setAttribute(Qt::WA_TransparentForMouseEvents);
  QPalette p = label->palette();
  p.setColor(QPalette::Disabled, QPalette::WindowText, QColor::fromRgb(kGreyedText));
  label->setPalette(p);
}

QLabel* MakeLabel(PixelScale& scale, QWidget* parent, const char* text, const Box& box, const QFont& font,
                  QRgb color) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  scale.Place(label, Rect(box));
  scale.SetFont(label, font);
  QPalette p = label->palette();
  p.setColor(QPalette::WindowText, QColor::fromRgb(color));
  label->setPalette(p);
  return label;
}

QImage ToImage(const Surface& s) {
  if (s.empty()) return {};
  return QImage(reinterpret_cast<const uchar*>(s.data()), s.width(), s.height(),
                s.width() * static_cast<qsizetype>(sizeof(Pixel)), QImage::Format_RGB32)
      .copy();
}

// Block-map colours are stored as the window system stores them: red in the low byte.
QColor FromStoredColor(std::int32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

}  // namespace

frmGame::frmGame(basMoriva& module, const Surface& tileSheet, const Surface& spriteSheet,
                 MidiDevice& midi, WavPlayer& wav, const std::string& programFolder, QWidget* parent)
    : QWidget(parent),
      bgm_(programFolder),
      se_(wav, programFolder),
      midi_(midi),
      game_(std::make_unique<Game>(module, tileSheet, spriteSheet, static_cast<GameHost&>(*this),
                                   programFolder)),
      prompt_(this, kAppTitle),
      scale_(this) {
  scale_.SetRootSize({kClientWidth, kClientHeight});
  // The design's Japanese faces are not on this system; the proportional IPA faces stand in.
  QFont::insertSubstitution(QString::fromUtf8(kGothic), "IPAPGothic");
  QFont::insertSubstitution(QString::fromUtf8(kMincho), "IPAPMincho");
  background_ = ToImage(LoadPicture("background"));
  title_ = ToImage(LoadPicture("title"));
  Surface& block = game_->picGame();
  blockView_ = QImage(reinterpret_cast<const uchar*>(block.data()), block.width(), block.height(),
                      block.width() * static_cast<qsizetype>(sizeof(Pixel)), QImage::Format_RGB32);
  BuildPlayPanel();
  BuildTitle();
  setFocusPolicy(Qt::StrongFocus);
  shownFill_.fill(kColorNotVisited - 1);  // differs from every state: the first sync paints all
  qApp->installEventFilter(this);
}

frmGame::~frmGame() { qApp->removeEventFilter(this); }

void frmGame::BuildPlayPanel() {
  picFrame_ = new QWidget(this);
  scale_.Place(picFrame_, Rect(kPicFrame));
  picFrame_->installEventFilter(this);
  picFrame_->setAttribute(Qt::WA_OpaquePaintEvent);

  const QFont small = font();
  lblBeta2_ = MakeLabel(scale_, this, "べーたばん", kLblBeta2, small, kBeta2Color);
  lblDPS_ = MakeLabel(scale_, this, "", kLblDps, small, kDpsColor);
  QFont dpsFont = small;
  dpsFont.setPixelSize(kDpsPixelSize);
  scale_.SetFont(lblDPS_, dpsFont);
  lblSound_ = MakeLabel(scale_, this, "", kLblSound, dpsFont, kDpsColor);
  lblSound_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  lblSound_->hide();

  for (int i = 0; i < kItemIcons; ++i) {
    auto* icon = new QLabel(this);
    const int left = kItemLeft + kItemStep * (i % kItemsPerRow);
    const int top = i == 6 ? kItem6Top : (i < kItemsPerRow ? kItemTopRow0 : kItemTopRow1);
    scale_.Place(icon, QRect(left, top, kTileSize, kTileSize));
    const QImage picture = ToImage(LoadPicture("item" + std::to_string(i)));
    if (!picture.isNull()) scale_.SetPicture(icon, picture);
    icon->hide();
    imgItem_[i] = icon;
  }
  for (int i = 0; i < kMiniMapSquares; ++i) {
    auto* square = new QLabel(this);
    square->setFrameShape(QFrame::Box);
    scale_.SetLineWidth(square, 1);
    scale_.Place(square, QRect(0, 0, kMapSquare, kMapSquare));
    square->hide();
    shpMap_[i] = square;
  }
  std::vector<QWidget*> panel(imgItem_.begin(), imgItem_.end());
  panel.insert(panel.end(), shpMap_.begin(), shpMap_.end());
  panel.push_back(lblBeta2_);
  panel.push_back(lblDPS_);
  ending_ = std::make_unique<EndingView>(*game_, this, picFrame_, panel, GetCaptionHeight(), &scale_);
}

void frmGame::BuildTitle() {
  auto* title = new QLabel(this);
  title->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  title->setAutoFillBackground(true);
  QPalette p = title->palette();
  p.setColor(QPalette::Window, Qt::black);
  title->setPalette(p);
  if (!title_.isNull()) scale_.SetPicture(title, title_);
  scale_.Place(title, Rect(kPicTitle));
  title->setFocusPolicy(Qt::StrongFocus);
  picTitle_ = title;

  lblBeta1_ = MakeLabel(scale_, picTitle_, "べーたばん", kLblBeta1, DesignFont(kGothic, 15.75), kBeta1Color);
  const QFont menuFont = DesignFont(kMincho, 21.75);
  for (int i = 0; i < TitleMenu::kEntries; ++i) {
    lblTitle_[i] = MakeLabel(scale_, picTitle_, kTitleTexts[i], kLblTitle[i], menuFont, menu_.color(i));
    // The window sees the labels' events through its application-wide filter: one route,
    // so one click is one choice.
    lblTitle_[i]->setMouseTracking(true);
  }
  SetGreyed(lblTitle_[TitleMenu::kSettings]);
  const QFont waitFont = DesignFont(kGothic, 26.25, true);
  for (int i = 0; i < 2; ++i) {
    lblWait_[i] = MakeLabel(scale_, picTitle_, kPleaseWait, kLblWait[i], waitFont, kWaitColors[i]);
    lblWait_[i]->hide();
  }
}

void frmGame::Form_Load() {
  for (int i = 0; i < kItemIcons; ++i) imgItem_[i]->setToolTip(QString::fromUtf8(ItemDesc[i]));
  setWindowTitle(QString::fromUtf8(kAppTitle) + " Ver " + QString::number(kVersionMajor) + "." +
                 QString::number(kVersionMinor));
  ApplyScale();
  scale_.Move(picTitle_, QPoint(kPicTitle.x, kPicTitle.y));
  scale_.Place(picFrame_, Rect(kPicFrame));
  game_->SetViewFrame(kPicFrame.w, kPicFrame.h);
  for (int c = 0; c < kWorldBlocks; ++c)
    for (int r = 0; r < kWorldBlocks; ++r) {
      QWidget* square = shpMap_[kWorldBlocks * r + c];
      scale_.Place(square, QRect(kMapLeft + kMapStep * c, kMapTop + kMapStep * r, kMapSquare, kMapSquare));
      square->show();
    }
  RegisterGameAudio(bgm_, midi_, se_);
  midi_.SetDoneHandler([this](std::int16_t code) { bgm_.BGMDone(code); });
  sound_.SetMusic(startMusic_);
  sound_.SetEffects(startEffects_);
  ShowSoundNote();
  show();
  ending_->MeasureWindow();
  game_->ReturnToTitle();
  SyncStatus();
}

void frmGame::lblTitle_MouseMove(int index) {
  menu_.MouseMove(index);
  for (int i = 0; i < TitleMenu::kEntries; ++i) SetTextColor(lblTitle_[i], menu_.color(i));
}

void frmGame::lblTitle_Click(int index) {
  if (hook_) hook_->TitleChosen(index, *game_);
  lastRun_ = game_->lblTitle_Click(index);
  const bool closeWindow = hook_ && hook_->PlayEnded(lastRun_, *game_);
  if (lastRun_ == RunResult::Closed) {
    QCoreApplication::quit();
  } else if (closeWindow) {
    close();
  }
}

void frmGame::picTitle_KeyPress(int keyAscii) {
  const int choice = TitleMenu::ChoiceForKey(keyAscii);
  if (choice < 0) return;
  lblTitle_MouseMove(choice);
  lblTitle_Click(choice);
}

bool frmGame::IsOwnWidget(QObject* object) const {
  auto* widget = qobject_cast<QWidget*>(object);
  return widget && (widget == this || isAncestorOf(widget));
}

bool frmGame::eventFilter(QObject* watched, QEvent* event) {
  if (watched == picFrame_ && event->type() == QEvent::Paint) {
    PaintFrame(picFrame_);
    return true;
  }
  const QEvent::Type type = event->type();
  if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && IsOwnWidget(watched)) {
    auto* key = static_cast<QKeyEvent*>(event);
    // A held key stays held: the system's repeats are not presses.
    if (key->isAutoRepeat()) return true;
    if (type == QEvent::KeyPress) {
      const WindowCommand command = WindowCommandForKey(key->key(), key->modifiers());
      if (command != WindowCommand::None) {
        RunCommand(command);
        return true;
      }
    }
    const int mapped = VirtualKeyFromKeyEvent(key->key(), key->nativeScanCode(),
                                              key->modifiers().testFlag(Qt::KeypadModifier));
    if (hook_ && !hook_->PlayerKeysReachGame()) {
      // A demo plays: the player's keys only stop it.
      if (type == QEvent::KeyPress && (mapped == vk::kQ || key->key() == Qt::Key_Escape)) close();
      return true;
    }
    const std::uint32_t physical = PhysicalKeyOf(key->key(), key->nativeScanCode());
    if (type == QEvent::KeyRelease) {
      const int released = heldKeys_.Release(physical, mapped);
      if (released >= 0) game_->KeyUp(released);
      return true;
    }
    heldKeys_.Press(physical, mapped);
    if (mapped >= 0) game_->KeyDown(mapped);
    if (picTitle_->isVisible() && !ending_->active()) {
      const QString text = key->text();
      if (text.size() == 1) picTitle_KeyPress(text.at(0).unicode());
    }
    return true;
  }
  const int entry = TitleEntryOf(watched);
  if (entry >= 0 && TitleMouseEvent(entry, event)) return true;
  return QWidget::eventFilter(watched, event);
}

int frmGame::TitleEntryOf(QObject* watched) const {
  for (int i = 0; i < TitleMenu::kEntries; ++i)
    if (watched == lblTitle_[i]) return lblTitle_[i]->isEnabled() ? i : -1;
  return -1;
}

bool frmGame::TitleMouseEvent(int index, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::MouseMove) {
    lblTitle_MouseMove(index);
    return false;
  }
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease) return false;
  auto* mouse = static_cast<QMouseEvent*>(event);
  if (mouse->button() != Qt::LeftButton) return false;
  if (type == QEvent::MouseButtonPress) {
    pressedTitle_ = index;
    return true;
  }
  const bool click = pressedTitle_ == index && lblTitle_[index]->rect().contains(mouse->position().toPoint());
  pressedTitle_ = -1;
  // Play runs inside the click; the release is used up, whatever the game did meanwhile.
  if (click) lblTitle_Click(index);
  return true;
}

void frmGame::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // Around the picture (fullscreen) lies black.
  painter.fillRect(rect(), Qt::black);
  scale_.Prepare(painter, true);
  painter.setClipRect(QRect(QPoint(), scale_.rootSize()));
  if (ending_->active()) {
    ending_->Paint(painter);
    return;
  }
  if (!background_.isNull()) painter.drawImage(0, 0, background_);
}

void frmGame::PaintFrame(QWidget* frame) {
  QPainter painter(frame);
  scale_.Prepare(painter, false);
  const GameState& st = game_->state();
  const QRect view(0, 0, kPicFrame.w, kPicFrame.h);
  if (scale_.factor() == 1) {
    painter.drawImage(view, blockView_, view.translated(-st.ViewX, -st.ViewY));
  } else {
    PixelScale::EnlargeInto(blockView_, view.translated(-st.ViewX, -st.ViewY), scale_.factor(), enlargedView_);
    painter.resetTransform();
    painter.drawImage(0, 0, enlargedView_);
    scale_.Prepare(painter, false);
  }
  // One design pixel wide, however large the window is.
  painter.setPen(QPen(QColor::fromRgb(kRopeColor), 1));
  for (const RopeLine& line : st.linRope)
    if (line.Visible)
      painter.drawLine(line.X1 + st.ViewX, line.Y1 + st.ViewY, line.X2 + st.ViewX, line.Y2 + st.ViewY);
}

void frmGame::closeEvent(QCloseEvent* event) {
  bgm_.QuitBGM();
  game_->Form_Unload();
  event->accept();
}

void frmGame::SyncStatus() {
  const GameState& st = game_->state();
  for (int i = 0; i < kItemIcons; ++i) {
    if (shownItems_[i] == st.ItemVisible[i]) continue;
    shownItems_[i] = st.ItemVisible[i];
    imgItem_[i]->setVisible(shownItems_[i]);
  }
  for (int i = 0; i < kMiniMapSquares; ++i) {
    if (shownFill_[i] == st.MiniMapFill[i]) continue;
    shownFill_[i] = st.MiniMapFill[i];
    auto* square = static_cast<QLabel*>(shpMap_[i]);
    if (shownFill_[i] == kColorNotVisited) {
      square->setAutoFillBackground(false);
    } else {
      QPalette p = square->palette();
      p.setColor(QPalette::Window, FromStoredColor(shownFill_[i]));
      square->setPalette(p);
      square->setAutoFillBackground(true);
    }
    square->update();
  }
  if (std::strcmp(shownDps_.data(), st.DpsText.data()) != 0) {
    shownDps_ = st.DpsText;
    lblDPS_->setText(QString::fromLatin1(shownDps_.data()));
  }
}

void frmGame::PlayEffect(int number) { se_.PlayAsync(static_cast<std::int16_t>(number), 0, 1, 0); }

void frmGame::PlayMusic(int number, bool notLoop) { sound_.PlayMusic(number, notLoop); }

void frmGame::StopMusic() { sound_.StopMusic(); }

bool frmGame::AskYesNo(const char* question) {
  bool yes = false;
  if (hook_ && hook_->Answer(question, yes)) return yes;
  yes = prompt_.AskYesNo(question);
  if (hook_) hook_->Answered(yes);
  return yes;
}

void frmGame::ShowItemDialog(int itemNo) {
  SyncStatus();  // the found item's icon is up before the dialog covers the window
  if (hook_ && hook_->CloseDialog(itemNo)) return;
  frmGetItem::ShowModal(itemNo, dialogColorPhase_, [this](int effect) { PlayEffect(effect); }, this,
                        scale_.factor());
  if (hook_) hook_->DialogClosed();
}

void frmGame::FrameBegins(long frame) {
  if (hook_) hook_->FrameBegins(frame, *game_);
}

void frmGame::FrameEnded(long frame) {
  if (hook_) hook_->FrameEnded(frame, *game_);
}

void frmGame::ShowEndingView() {
  SyncStatus();
  ending_->Begin();
  update();
}

void frmGame::ShowTitle() {
  picTitle_->show();
  picTitle_->raise();
  lblSound_->raise();
  picTitle_->setFocus();
}

void frmGame::ShowPleaseWait(bool visible) {
  for (QLabel* label : lblWait_) label->setVisible(visible);
  if (visible)
    for (QLabel* label : lblWait_) label->repaint();
  SyncStatus();
}

void frmGame::HideTitle() {
  picTitle_->hide();
  setFocus();
}

void frmGame::Refresh() {
  SyncStatus();
  picFrame_->update();
}

void frmGame::ProcessEvents() { pump_.ProcessEvents(); }

void frmGame::ReportError(const std::string& message) {
  QMessageBox::warning(this, QString::fromUtf8(kAppTitle), QString::fromStdString(message));
}

}  // namespace moriva

namespace moriva {

void frmGame::UseDesktop(const Preferences& start, bool mute, std::unique_ptr<QSettings> settings,
                         std::unique_ptr<ControllerSource> pads) {
  prefs_ = start;
  settings_ = std::move(settings);
  startMusic_ = start.musicOn && !mute;
  startEffects_ = start.effectsOn && !mute;
  const int fit = FittingFactor();
  windowFactor_ = start.scale == Preferences::kChooseScale ? fit : std::min(start.scale, fit);
  pads_ = std::move(pads);
  if (pads_) padInput_ = std::make_unique<PadInput>(*pads_, [this](int key, bool down) { PadKey(key, down); }, this);
}

void frmGame::PadKey(int virtualKey, bool down) {
  if (hook_ && !hook_->PlayerKeysReachGame()) {
    // A demo plays: the pad, like the keyboard, only stops it.
    if (down && virtualKey == vk::kQ) close();
    return;
  }
  if (!down) {
    game_->KeyUp(virtualKey);
    return;
  }
  game_->KeyDown(virtualKey);
  // The title takes the pad's jump button as it takes Space. Play runs inside the choice,
  // so it starts once this reading of the pad is over.
  if (virtualKey == vk::kSpace && picTitle_->isVisible() && !ending_->active())
    QTimer::singleShot(0, this, [this] {
      if (picTitle_->isVisible()) picTitle_KeyPress(vk::kSpace);
    });
}

int frmGame::FittingFactor() const {
  const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
  if (availableArea_.isEmpty() && !shown) return 1;
  const QSize area = availableArea_.isEmpty() ? shown->availableGeometry().size() : availableArea_;
  // The window's frame and caption need room beside the client area.
  const QSize frame(2 * kFrameBorder, GetCaptionHeight() + 2 * kFrameBorder);
  return PixelScale::FitFactor(scale_.rootSize(), area - frame);
}

void frmGame::RunCommand(WindowCommand command) {
  switch (command) {
    case WindowCommand::ScaleUp:
      SetWindowFactor(std::min(windowFactor_ + 1, FittingFactor()));
      break;
    case WindowCommand::ScaleDown:
      SetWindowFactor(windowFactor_ - 1);
      break;
    case WindowCommand::ScaleToFit:
      SetWindowFactor(FittingFactor());
      break;
    case WindowCommand::ToggleFullscreen:
      SetFullscreen(!fullscreen_);
      break;
    case WindowCommand::ToggleMusic:
      sound_.ToggleMusic();
      prefs_.musicOn = sound_.musicOn();
      SavePreferences();
      ShowSoundNote();
      break;
    case WindowCommand::ToggleEffects:
      sound_.ToggleEffects();
      prefs_.effectsOn = sound_.effectsOn();
      SavePreferences();
      ShowSoundNote();
      break;
    case WindowCommand::None:
      break;
  }
}

void frmGame::SetWindowFactor(int factor) {
  windowFactor_ = std::clamp(factor, 1, PixelScale::kLargestFactor);
  prefs_.scale = windowFactor_;
  SavePreferences();
  ApplyScale();
}

void frmGame::SetFullscreen(bool on) {
  fullscreen_ = on;
  if (on) {
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    showFullScreen();
    // Without a window manager nothing would resize the window to the screen.
    if (const QScreen* shown = screen()) setGeometry(shown->geometry());
  } else {
    showNormal();
  }
  ApplyScale();
}

void frmGame::ApplyScale() {
  const QSize logical = scale_.rootSize();
  if (fullscreen_) {
    const int factor = PixelScale::FitFactor(logical, size());
    scale_.SetFactor(factor, PixelScale::CentredOrigin(logical * factor, size()));
  } else {
    scale_.SetFactor(windowFactor_);
    setFixedSize(logical * windowFactor_);
  }
  // Sized once per factor, so the frames draw without allocating.
  const QSize view = QSize(kPicFrame.w, kPicFrame.h) * scale_.factor();
  if (scale_.factor() > 1 && enlargedView_.size() != view) enlargedView_ = QImage(view, QImage::Format_RGB32);
  // The narration's size follows its font.
  if (ending_->active()) ending_->lblEnding()->adjustSize();
  update();
}

void frmGame::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  // Keys released while another window has the keyboard never reach this one, so a key
  // held as the window loses it would stay down for good.
  if (event->type() == QEvent::ActivationChange && !isActiveWindow() && game_) {
    heldKeys_.Clear();
    game_->ClearKeys();
  }
}

void frmGame::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (fullscreen_ && scale_.origin() != PixelScale::CentredOrigin(scale_.rootSize() * scale_.factor(), size()))
    ApplyScale();
}

void frmGame::SavePreferences() {
  if (settings_) prefs_.Save(*settings_);
}

void frmGame::ShowSoundNote() {
  const QString note = QString::fromUtf8(sound_.Note());
  lblSound_->setText(note);
  lblSound_->setVisible(!note.isEmpty());
  lblSound_->raise();
}

}  // namespace moriva
