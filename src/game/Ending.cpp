#include "game/Ending.h"

#include "game/Game.h"
#include "game/GameTables.h"
#include "world/MapGrid.h"

namespace moriva {

namespace {

// Goal-area stones (grey stone block and the goal tile) take the olive-jointed stone.
constexpr std::uint8_t kGreyStone = 98;
constexpr std::uint8_t kGoalTile = 142;
constexpr int kOliveStoneX = 96, kOliveStoneY = 544;

constexpr Pixel kEndingBackColor = Rgb(0, 0, 120);
constexpr Pixel kClosingTextColor = Rgb(255, 255, 255);
constexpr std::int32_t kClosingTextTop = 48;
// The narration stops rising once its top is this far above the caption height.
constexpr std::int32_t kNarrationStop = 200;
constexpr std::int32_t kRisePerTick = 2;

}  // namespace

const char* const kEndingNarration =
    "やっと、きた。\r\n\r\n\r\n"
    "つきが、とても、まるかった。\r\n\r\n\r\n\r\n\r\n"
    "ここまでくろうして、\r\n\r\n\r\n"
    "おつきみをするポルミは、\r\n\r\n\r\n"
    "せかいでぼくひとりかもしれない。\r\n\r\n\r\n\r\n\r\n"
    "きょうは、ねむくなるまで\r\n\r\n\r\n"
    "ここで、つきをみていよう・・・";

const std::array<const char*, 9> kEndingClosingLines = {
    "ごめんなさい、べーたばんには",
    "エンディングはありません・・・",
    "最後までプレイしていただき、",
    "本当にありがとうございます。",
    "ぜひ作者まで感想を",
    "お聞かせ下さい。",
    "",
    "Moriva プロジェクト 制作",
    "感想は Moriva の課題票まで",
};

void ShowEnding(Game& game) {
  GameState& st = game.state();
  EndingScreen& screen = st.Ending;
  Surface& picGame = game.picGame();
  for (int x = 0; x < kBlockTilesSize; ++x) {
    for (int y = 0; y < kBlockTilesSize; ++y) {
      const std::uint8_t code = st.BlockTiles(x, y);
      if (code == kGreyStone || code == kGoalTile) {
        BitBlt(picGame, x * kTileSize, y * kTileSize, kTileSize, kTileSize, game.spriteSheet(),
               kOliveStoneX, kOliveStoneY, RasterOp::SrcCopy);
      }
    }
  }
  screen.Shown = true;
  screen.BackColor = kEndingBackColor;
  screen.LabelText = kEndingNarration;
  screen.LabelLeft = screen.TextColumn;
  st.StopLoop = kTrue;
  st.EndingTick = 0;
  game.host().StopMusic();
  screen.TimerRunning = true;
  game.host().Note(GameEvent::ShowEnding, 0);
  game.host().ShowEndingView();
}

void tmrEnding_Timer(Game& game) {
  GameState& st = game.state();
  EndingScreen& screen = st.Ending;
  if (!screen.TimerRunning) return;
  ++st.EndingTick;
  if (st.EndingTick < kEndingLastTick) {
    const std::int32_t c = screen.CaptionHeight;
    if (screen.LabelTop > c - kNarrationStop) {
      screen.LabelTop = screen.ClientHeight + c - kRisePerTick * st.EndingTick;
      screen.LabelVisible = true;
    } else {
      game.host().PlayMusic(music::kEnding, true);
    }
  }
  if (st.EndingTick == kEndingLastTick) {
    screen.LabelVisible = false;
    screen.ForeColor = kClosingTextColor;
    screen.PrintY = kClosingTextTop;
    for (const char* line : kEndingClosingLines) {
      if (*line != '\0') screen.PrintX = screen.TextColumn;
      screen.Printed[static_cast<std::size_t>(screen.PrintedCount++)] = {screen.PrintX, screen.PrintY, line};
      // A print leaves the print position at the start of the next line.
      screen.PrintX = 0;
      screen.PrintY += screen.PrintLineHeight;
    }
    screen.TimerRunning = false;
  }
}

}  // namespace moriva
