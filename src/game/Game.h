#pragma once

#include <cstdint>
#include <string>

#include "game/GameHost.h"
#include "game/GameState.h"
#include "platform/Surface.h"

namespace moriva {

struct basMoriva;

// How a call of RunGame ended.
enum class RunResult {
  Title,    // the player confirmed the return to the title
  Ending,   // the goal countdown ran out and the ending has been started
  Stopped,  // StopLoop was set at the end of a frame
  Closed,   // the window is being closed
};

// The game window's rules without the window: the state, the block surface and its work
// surface, and the procedures of play. The window, the tests and the replay runner each
// drive the same object through their own GameHost.
class Game {
 public:
  // The module state (map, block indices), the tile and sprite sheets and the host must
  // outlive the game. programFolder holds savedata.dat.
  Game(basMoriva& module, const Surface& tileSheet, const Surface& spriteSheet, GameHost& host,
       const std::string& programFolder);

  GameState& state() { return st_; }
  const GameState& state() const { return st_; }
  basMoriva& module() { return mod_; }
  const basMoriva& module() const { return mod_; }
  GameHost& host() { return host_; }
  Surface& picGame() { return picGame_; }
  const Surface& picEscape() const { return picEscape_; }
  Surface& picEscape() { return picEscape_; }
  const Surface& tileSheet() const { return tileSheet_; }
  const Surface& spriteSheet() const { return spriteSheet_; }

  // Start-up and flow.
  void SetViewFrame(int frameWidth, int frameHeight);  // HeroViewX, HeroViewY
  void ResetGame();
  void ReturnToTitle();
  // A title-menu choice: 1 continues the newest save, any other starts a new game. Runs
  // the game until play stops.
  RunResult lblTitle_Click(int index);
  // The window is closing: the loop leaves at once.
  void Form_Unload();

  // Main loop and keys.
  RunResult RunGame();
  void ClearKeys();
  void KeyDown(int virtualKey);
  void KeyUp(int virtualKey);

  // Saved games. False when the file could not be written: the player has been told.
  bool SaveGame();
  // False when the file could not be read: the player has been told and nothing changed.
  bool LoadGame(std::int16_t Back);
  const std::string& savePath() const { return savePath_; }

  // View and drawing.
  void EnterBlock();
  void DrawMiniMap();
  static void ClampView(std::int16_t& x, std::int16_t& y);
  void RedrawTile(int cx, int cy);
  void SaveUnder(int x, int y);
  void QueueSprite(int x, int y, int column, int row);
  void QueueTileFrame(int x, int y, int column, int row);
  void ViewStep();        // offset, animation, sprites, tile frames (frame step 7)
  void RestoreSaved();    // puts back the cells under this frame's sprites (frame step 12)

  // Frames run by the current or last RunGame.
  long frame() const { return frame_; }

 private:
  void DropRunningSequences();
  bool KeysStep();        // true when play returns to the title
  void RateLabelStep();
  void WaitForFrameEnd();
  bool CountdownStep();   // true when the ending has been started

  basMoriva& mod_;
  const Surface& tileSheet_;
  const Surface& spriteSheet_;
  GameHost& host_;
  std::string savePath_;
  GameState st_;
  Surface picGame_;
  Surface picEscape_;

  // Loop-local state of RunGame.
  std::int16_t FrameCount_ = 0;
  double LastRateTime_ = 0;
  std::int64_t LastTick_ = 0;
  long frame_ = 0;
};

}  // namespace moriva
