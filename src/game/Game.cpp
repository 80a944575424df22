#include "game/Game.h"

#include "game/GameTables.h"
#include "world/SaveFile.h"
#include "world/basMoriva.h"

namespace moriva {

namespace {
constexpr int kEscapeSlots = kDrawListSize;  // one 32 x 32 slot per list entry
constexpr std::int16_t kStartBlockX = 2;
constexpr std::int16_t kStartBlockY = 4;
constexpr float kStartX = 160.0f;
constexpr float kStartY = 1498.0f;
}  // namespace

Game::Game(basMoriva& module, const Surface& tileSheet, const Surface& spriteSheet,
           GameHost& host, const std::string& programFolder)
    : mod_(module),
      tileSheet_(tileSheet),
      spriteSheet_(spriteSheet),
      host_(host),
      savePath_(moriva::SaveFilePath(programFolder)),
      picGame_(kBlockPixels, kBlockPixels),
      picEscape_(kEscapeSlots * kTileSize, kTileSize) {
  st_.MiniMapFill.fill(kColorNotVisited);
  for (auto& column : st_.BlockColor) column.fill(kColorNotVisited);
}

void Game::SetViewFrame(int frameWidth, int frameHeight) {
  st_.HeroViewX = (frameWidth - kTileSize) / 2;
  st_.HeroViewY = (frameHeight - kTileSize) / 2;
}

void Game::ResetGame() {
  mod_.BlockX = kStartBlockX;
  mod_.BlockY = kStartBlockY;
  st_.HeroX = kStartX;
  st_.HeroY = kStartY;
  st_.HeroVX = 0;
  st_.HeroVY = 0;
  st_.SwitchOn = 1;
  for (int i = 0; i < kItemIcons; ++i) {
    st_.HaveItem[i] = 0;
    st_.ItemVisible[i] = false;
  }
  for (int c = 0; c < kWorldBlocks; ++c)
    for (int r = 0; r < kWorldBlocks; ++r) st_.BlockColor[c][r] = kColorNotVisited;
  st_.SavedX.fill(-1);
  // A game left in the middle of a rope climb or a miss must not carry it into the next
  // game: the new hero would climb towards the old hook or be sent back at once.
  DropRunningSequences();
  st_.HeroState = hero::kNormal;
  st_.PrevState = hero::kNormal;
  st_.JumpFrames = 0;
  ClearKeys();
}

void Game::DropRunningSequences() {
  st_.RopeRow = 0;
  for (RopeLine& line : st_.linRope) line.Visible = false;
  st_.Countdown = 0;
}

void Game::ReturnToTitle() {
  host_.Note(GameEvent::ReturnToTitle, 0);
  host_.ShowTitle();
  host_.PlayMusic(music::kTitle, true);
  ResetGame();
}

RunResult Game::lblTitle_Click(int index) {
  host_.PlayEffect(effect::kClick);
  host_.ShowPleaseWait(true);
  // A save file that cannot be read leaves the new game that the title prepared.
  if (index != 1 || !LoadGame(0)) EnterBlock();
  host_.HideTitle();
  host_.ShowPleaseWait(false);
  return RunGame();
}

void Game::Form_Unload() {
  st_.StopLoop = kTrue;
  st_.Closing = true;
}

void Game::ClearKeys() { st_.KeyState.fill(0); }

void Game::KeyDown(int virtualKey) {
  if (virtualKey >= 0 && virtualKey < kKeyStateSize) st_.KeyState[virtualKey] = kTrue;
}

void Game::KeyUp(int virtualKey) {
  if (virtualKey >= 0 && virtualKey < kKeyStateSize) st_.KeyState[virtualKey] = 0;
}

bool Game::SaveGame() {
  SaveSlotData data;
  data.BlockX = mod_.BlockX;
  data.BlockY = mod_.BlockY;
  data.RestartX = st_.RestartX;
  data.RestartY = st_.RestartY;
  data.SwitchOn = st_.SwitchOn;
  for (int i = 0; i < kItemIcons; ++i) data.HaveItem[i] = st_.HaveItem[i];
  for (int c = 0; c < kWorldBlocks; ++c)
    for (int r = 0; r < kWorldBlocks; ++r) {
      data.BlockColor[c][r] = st_.BlockColor[c][r];
      data.MissCount[c][r] = st_.MissCount[c][r];
    }
  int written = 0;
  IoResult result = WriteNextSlot(savePath_, data, &written);
  if (!result) {
    host_.ReportError(result.message);
    return false;
  }
  st_.SaveSlot = static_cast<std::int16_t>((written + 1) % kSaveSlots);
  host_.Note(GameEvent::SaveGame, written);
  return true;
}

bool Game::LoadGame(std::int16_t Back) {
  host_.Note(GameEvent::LoadGame, Back);
  SlotRead read = ReadSlot(savePath_, Back);
  if (read.status == SlotRead::Status::NoFile) {
    ResetGame();
    EnterBlock();
    return true;
  }
  if (read.status == SlotRead::Status::Failed) {
    // The game in play stays as it was rather than loading half a slot.
    host_.ReportError(read.message);
    return false;
  }
  st_.SaveSlot = static_cast<std::int16_t>(read.slot);
  const SaveSlotData& d = read.data;
  mod_.BlockX = d.BlockX;
  mod_.BlockY = d.BlockY;
  st_.HeroX = d.RestartX;
  st_.HeroY = d.RestartY;
  st_.SwitchOn = d.SwitchOn;
  for (int i = 0; i < kItemIcons; ++i) {
    st_.HaveItem[i] = d.HaveItem[i];
    st_.ItemVisible[i] = d.HaveItem[i] != 0;
  }
  for (int c = 0; c < kWorldBlocks; ++c)
    for (int r = 0; r < kWorldBlocks; ++r) {
      st_.BlockColor[c][r] = d.BlockColor[c][r];
      st_.MissCount[c][r] = d.MissCount[c][r];
    }
  st_.HeroVX = 0;
  st_.HeroVY = 0;
  st_.PrevState = 0;
  // The loaded hero stands at the block's entry point: a rope or a miss of the game left
  // behind has no meaning there.
  DropRunningSequences();
  EnterBlock();
  return true;
}

}  // namespace moriva
