// Shows the end screen on a stand-in for the game window, for looking at it (screenshots
// under a virtual display): ending_preview TICK [MILLISECONDS] runs the ending to tick TICK
// at once, then lets its timer go on, and quits after MILLISECONDS.
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <cstdlib>

#include "game/Ending.h"
#include "ui/EndingView.h"
#include "game/Game.h"
#include "game/GameHost.h"
#include "platform/Clock.h"
#include "platform/Pictures.h"
#include "world/basMoriva.h"

namespace {

class PreviewHost final : public moriva::GameHost {
 public:
  std::function<void()> onEndingView;
  void PlayEffect(int) override {}
  void PlayMusic(int, bool) override {}
  void StopMusic() override {}
  bool AskYesNo(const char*) override { return false; }
  void ShowItemDialog(int) override {}
  void ShowEndingView() override { onEndingView(); }
  void ShowTitle() override {}
  void ShowPleaseWait(bool) override {}
  void HideTitle() override {}
  void Refresh() override {}
  void ProcessEvents() override {}
  moriva::Clock& clock() override { return clock_; }
  void ReportError(const std::string&) override {}

 private:
  moriva::VirtualClock clock_;
};

// The game window: the view frame shows the block surface; the rest is the end screen.
class Window final : public QWidget {
 public:
  moriva::EndingView* view = nullptr;
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    if (view && view->active()) view->Paint(painter);
  }
};

class Frame final : public QFrame {
 public:
  explicit Frame(QWidget* parent, const moriva::Surface& block) : QFrame(parent), block_(block) {}
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    const QImage image(reinterpret_cast<const uchar*>(block_.data()), block_.width(),
                       block_.height(), block_.width() * 4, QImage::Format_RGB32);
    painter.drawImage(0, 0, image, 640, 1280, 320, 320);
    QFrame::paintEvent(event);
  }

 private:
  const moriva::Surface& block_;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int tick = argc > 1 ? std::atoi(argv[1]) : 400;
  const int lifetimeMs = argc > 2 ? std::atoi(argv[2]) : 3000;

  moriva::basMoriva module;
  const moriva::Surface tiles = moriva::LoadPicture("tiles");
  const moriva::Surface sprites = moriva::LoadPicture("sprites");
  PreviewHost host;
  moriva::Game game(module, tiles, sprites, host, "/nowhere");
  module.BlockX = 2;
  module.BlockY = 0;
  game.EnterBlock();

  Window window;
  window.setFixedSize(512, 340);
  window.move(0, 0);
  auto* frame = new Frame(&window, game.picGame());
  frame->setGeometry(8, 4, 320, 320);
  frame->setFrameShape(QFrame::Panel);
  frame->setFrameShadow(QFrame::Sunken);
  std::vector<QWidget*> panel;
  auto* beta = new QLabel("べーたばん", &window);
  beta->move(384, 56);
  panel.push_back(beta);
  moriva::EndingView view(game, &window, frame, panel, 18);
  window.view = &view;
  host.onEndingView = [&] { view.Begin(); };
  window.show();

  moriva::ShowEnding(game);
  for (int t = 0; t < tick; ++t) view.tmrEnding_Timer();
  QTimer::singleShot(lifetimeMs, [] { QApplication::exit(0); });
  return app.exec();
}
