// Start-up: reads the world from the program's folder and shows block (0, 0). The game and
// editor windows take over from this once they exist.

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QScrollArea>
#include <cstring>
#include <iostream>

#include "platform/Pictures.h"
#include "platform/ProgramFolder.h"
#include "world/DrawBlock.h"
#include "world/MapFile.h"
#include "world/basMoriva.h"

namespace {

constexpr const char* kUsage =
    "usage: moriva [--help] [--version]\n"
    "Plays the world mapdata.dat in the program's folder.\n";

QImage ToImage(const moriva::Surface& s) {
  return QImage(reinterpret_cast<const uchar*>(s.data()), s.width(), s.height(),
                s.width() * static_cast<qsizetype>(sizeof(moriva::Pixel)), QImage::Format_RGB32)
      .copy();
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0) {
      std::cout << kUsage;
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::cout << "moriva " << MORIVA_VERSION << "\n";
      return 0;
    }
  }
  QApplication app(argc, argv);

  static moriva::basMoriva shared;
  shared.MapFile = moriva::MapFilePath(moriva::ProgramFolder());
  if (moriva::IoResult r = moriva::LoadMap(shared.MapFile, shared.Map); !r) {
    QMessageBox::critical(nullptr, "Moriva", QString::fromStdString(r.message));
    return 1;
  }

  moriva::Surface block(moriva::kBlockPixels, moriva::kBlockPixels);
  moriva::DrawBlock(shared.Map, moriva::LoadPicture("tiles"), shared.BlockX, shared.BlockY, block);

  QScrollArea window;
  auto* view = new QLabel;
  view->setPixmap(QPixmap::fromImage(ToImage(block)));
  window.setWidget(view);
  window.setWindowTitle("Moriva");
  window.resize(800, 600);
  window.show();
  return QApplication::exec();
}
