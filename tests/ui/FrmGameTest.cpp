#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTimer>

#include "game/GameTables.h"
#include "ui/frmGame.h"
#include "platform/MidiDevice.h"
#include "platform/WavPlayer.h"
#include "support/TempFolder.h"
#include "world/basMoriva.h"

namespace moriva {
namespace {

struct Window {
  Window() : window(mod, tiles, sprites, midi, wav, folder.path()) { window.Form_Load(); }
  test::TempFolder folder;
  basMoriva mod;
  Surface tiles{256, 768};
  Surface sprites{256, 768};
  RecordingMidiDevice midi;
  RecordingWavPlayer wav;
  frmGame window;
};

TEST(frmGame, CaptionAndSize) {
  Window w;
  EXPECT_EQ(w.window.caption(), "ルナポロ　べーたばん Ver 0.93");
  EXPECT_EQ(frmGame::OuterSize(18), QSize(518, 364));
  EXPECT_EQ(w.window.width(), 512);
  EXPECT_EQ(w.window.height(), 340);
  EXPECT_EQ(w.window.picFrame()->geometry(), QRect(8, 4, 320, 320));
  EXPECT_EQ(w.window.game().state().HeroViewX, 144);
}

TEST(frmGame, LayoutOfTheStatusPanel) {
  Window w;
  EXPECT_EQ(w.window.shpMap(7)->geometry(), QRect(390, 137, 18, 18));
  EXPECT_EQ(w.window.imgItem(5)->geometry(), QRect(340, 294, 32, 32));
  EXPECT_EQ(w.window.imgItem(6)->geometry(), QRect(372, 292, 32, 32));
  EXPECT_EQ(w.window.imgItem(9)->geometry(), QRect(468, 294, 32, 32));
  EXPECT_EQ(w.window.lblDPS()->geometry(), QRect(12, 328, 33, 12));
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(w.window.imgItem(i)->toolTip().toStdString(), ItemDesc[i]);
    EXPECT_FALSE(w.window.imgItem(i)->isVisible());
  }
}

TEST(frmGame, TitleScreen) {
  Window w;
  EXPECT_TRUE(w.window.picTitle()->isVisible());
  EXPECT_EQ(w.window.picTitle()->geometry(), QRect(0, 0, 518, 350));
  EXPECT_EQ(w.window.lblTitle(0)->text().toStdString(), "はじめから");
  EXPECT_FALSE(w.window.lblTitle(2)->isEnabled());
  EXPECT_EQ(w.window.lblTitle(1)->geometry(), QRect(272, 248, 136, 29));
  EXPECT_EQ(w.window.lblTitle(0)->font().family().toStdString(), "ＭＳ Ｐ明朝");
  w.window.lblTitle_MouseMove(1);
  EXPECT_EQ(w.window.lblTitle(1)->palette().color(QPalette::WindowText), QColor(255, 255, 160));
  EXPECT_EQ(w.window.lblTitle(0)->palette().color(QPalette::WindowText), QColor(192, 192, 0));
  // Music 1 once, effects registered and switched on.
  EXPECT_TRUE(w.window.se().SoundOn);
  EXPECT_EQ(w.window.bgm().CurrentBGM(), 1);
}

TEST(frmGame, ClosingDuringPlayEndsTheLoopAndClosesTheMusicDevice) {
  Window w;
  QTimer::singleShot(300, &w.window, [&] { w.window.close(); });
  w.window.picTitle_KeyPress(' ');
  EXPECT_EQ(w.window.lastRun(), RunResult::Closed);
  EXPECT_FALSE(w.window.picTitle()->isVisible());
  bool closed = false;
  for (const std::string& call : w.midi.calls) closed = closed || call == "Command=Close";
  EXPECT_TRUE(closed);
  EXPECT_FALSE(w.window.lblDPS()->text().isEmpty());
}

}  // namespace
}  // namespace moriva
