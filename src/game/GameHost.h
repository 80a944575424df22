#pragma once

#include <cstdint>
#include <string>

namespace moriva {

class Clock;

// Moments of play that a trace or a test wants to see, in the order they happen.
enum class GameEvent {
  EnterBlock,
  SaveGame,
  LoadGame,       // arg: Back
  ReturnToTitle,
  ShowEnding,
};

// Everything the game's rules reach outside the game state: sound, music, questions,
// the item dialog, the title and ending views, the screen, window events and the clock.
// The window implements it for real; tests and the replay runner record through it.
class GameHost {
 public:
  virtual ~GameHost() = default;

  // Effect n of the list (played asynchronously, not looped, cutting off the one playing).
  virtual void PlayEffect(int number) = 0;
  // Music n; notLoop plays it once.
  virtual void PlayMusic(int number, bool notLoop) = 0;
  // Stops the music (the ending silences the area music before its own piece).
  virtual void StopMusic() {}
  // The yes/no question box. True for Yes.
  virtual bool AskYesNo(const char* question) = 0;
  // The treasure-box dialog for ItemNo, modal: returns when it has been closed.
  virtual void ShowItemDialog(int itemNo) = 0;
  // Hands the window over to the ending.
  virtual void ShowEndingView() = 0;
  // Shows the title surface with the keyboard focus on it.
  virtual void ShowTitle() = 0;
  // The "Please wait..." notice while a game is being prepared, and hiding the title.
  virtual void ShowPleaseWait(bool visible) = 0;
  virtual void HideTitle() = 0;
  // Shows the block surface at the view offset and the status elements from the state.
  virtual void Refresh() = 0;
  // One pass of window-event processing.
  virtual void ProcessEvents() = 0;
  virtual Clock& clock() = 0;
  // A save or load that failed: the player is told why and play goes on.
  virtual void ReportError(const std::string& message) = 0;

  // Frame boundaries of the loop (frames count from 1) and moments of play, for traces.
  virtual void FrameBegins(long /*frame*/) {}
  virtual void FrameEnded(long /*frame*/) {}
  virtual void Note(GameEvent /*event*/, int /*arg*/) {}
};

}  // namespace moriva
