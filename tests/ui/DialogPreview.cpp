// Shows the treasure-box dialog for one ItemNo over an empty window, for looking at it
// (screenshots under a virtual display): dialog_preview ITEMNO [MILLISECONDS] [OKS]
// presses OK OKS times once each message is complete, and quits after MILLISECONDS.
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <cstdlib>

#include "ui/frmGetItem.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int itemNo = argc > 1 ? std::atoi(argv[1]) : 0;
  const int lifetimeMs = argc > 2 ? std::atoi(argv[2]) : 3000;
  int oks = argc > 3 ? std::atoi(argv[3]) : 0;

  QWidget backdrop;
  QPalette palette = backdrop.palette();
  palette.setColor(QPalette::Window, QColor(0x20, 0x30, 0x40));
  backdrop.setPalette(palette);
  backdrop.setAutoFillBackground(true);
  backdrop.resize(512, 340);
  backdrop.move(0, 0);
  backdrop.show();

  QTimer presser;
  presser.setInterval(400);
  QObject::connect(&presser, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<moriva::frmGetItem*>(QApplication::activeModalWidget());
    if (oks > 0 && dialog && !dialog->tmrMS()->isActive()) {
      --oks;
      dialog->cmdOK()->click();
    }
  });
  presser.start();
  QTimer::singleShot(lifetimeMs, [] { QApplication::exit(0); });

  std::int32_t colorPhase = 0;
  moriva::frmGetItem::ShowModal(itemNo, colorPhase, [](int) {}, &backdrop);
  return 0;
}
