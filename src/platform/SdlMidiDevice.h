#pragma once

#include <QObject>

#include <atomic>
#include <future>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/MidiDevice.h"
#include "platform/SdlSessionUser.h"

typedef struct _Mix_Music Mix_Music;

namespace moriva {

// The sequencer over SDL_mixer's music stream (FluidSynth with a General MIDI SoundFont).
//
// A piece ends where its last MIDI event lies, not when FluidSynth has let the last notes
// ring out (seconds later): a looping piece must start again on the beat. The audio thread
// counts the frames it has mixed since "Play" and, at the piece's length, only posts the
// play's generation number to an object on the window thread; there the device checks that
// the same play is still the current one before raising code 1. So "Close", "Prev" or a new
// piece, which each start a new generation, can never produce a stale completion. When a
// file's length cannot be read, SDL_mixer's own end-of-music report stands in.
//
// SDL_mixer's FluidSynth player, played again after a halt, goes on where it stopped, and
// it cannot seek. So an instance that has played is never played again: each open and
// each "Play" after "Prev" starts a fresh, never-played instance of the piece.
//
// Each instance holds its own synthesizer with the SoundFont's presets (about 8.5 MB), and
// decoding one takes a large part of a second. So the window thread never decodes: pieces
// are decoded on a worker, and a piece opened while it is being decoded starts as soon as it
// arrives. Only the piece that is open keeps a fresh spare, for its loop to start again on
// the beat; the spares of other pieces are freed when another piece is opened. The worker
// frees used instances and returns the freed memory to the system.
class SdlMidiDevice final : public MidiDevice, private SdlSessionUser {
 public:
  explicit SdlMidiDevice(std::shared_ptr<SdlAudioSession> session);
  ~SdlMidiDevice() override;

  void SetShareable(bool shareable) override { shareable_ = shareable; }
  void SetDeviceType(const std::string& deviceType) override { deviceType_ = deviceType; }
  void SetFileName(const std::string& fileName) override { fileName_ = fileName; }
  void SetNotify(bool notify) override { notify_ = notify; }
  void SetFrom(std::int32_t from) override { from_ = from; }
  void SetCommand(const std::string& command) override;

  bool IsOpen() const { return state_ != State::kClosed && music_ != nullptr; }
  bool IsPlaying() const { return state_ == State::kPlaying; }
  // Whether the stream still sounds: after a piece's end, while its last notes die away.
  bool IsStreamSounding() const;

  // Decoded instances the device keeps: the open one and the spares (neither decodes still
  // under way nor used ones waiting to be freed are counted).
  int InstancesHeld() const;

  // A fresh, never-played instance of `file` decoded elsewhere: the next open of the piece
  // takes it instead of waiting for a decode. The device frees it.
  void Adopt(const std::string& file, Mix_Music* music);

 private:
  enum class State { kClosed, kStopped, kPlaying };
  enum class EndReport { kMusicLength, kStreamFinished };

  struct Piece {
    std::string file;
    std::int64_t frames = -1;         // playing length in output frames; -1 when unknown
    bool missing = false;             // not decodable: silence, and never tried again
    Mix_Music* ready = nullptr;       // a fresh instance handed back unplayed
    std::future<Mix_Music*> loading;  // the next fresh instance, being decoded
    std::uint32_t loads = 0;          // decodes started, so a report names its own decode
  };

  Piece& PieceOf(const std::string& file);
  // A fresh instance of the piece if one is at hand (waiting for one being decoded only
  // when `waitForLoading`), or null; a decode is started when neither is there.
  Mix_Music* TakeFresh(Piece& piece, bool waitForLoading = false);
  void StartLoading(Piece& piece);
  void DropSparesExcept(const Piece& keep);
  // An unused decode's result: freed by the next worker, or the piece marked silent.
  void Retire(Piece& piece, Mix_Music* decoded);
  void OnDecoded(Piece& piece, std::uint32_t serial);
  void ReleaseMusic();
  void Close();
  void Open();
  void Play();
  void Prev();
  void Halt(State next);
  void OnPieceEnded(std::uint32_t generation, EndReport report);
  void PostEnd(std::uint32_t generation, EndReport report);
  void CountMixed(int bytes);
  static void MusicFinished();
  static void PostMix(void* device, std::uint8_t* stream, int bytes);

  QObject windowThread_;  // completions are queued to the thread that created the device
  std::unordered_map<std::string, Piece> pieces_;  // nodes stay put: piece_ points into it
  Piece* piece_ = nullptr;
  Mix_Music* music_ = nullptr;
  bool played_ = false;                 // music_ has played: it cannot start over
  bool startWhenReady_ = false;         // "Play" came before the piece was decoded
  std::vector<Mix_Music*> retired_;     // played instances, freed by the next worker
  std::int64_t pieceFrames_ = -1;
  State state_ = State::kClosed;
  int bytesPerFrame_ = 4;
  int framesPerSecond_ = 44100;

  // Shared with the audio thread.
  std::atomic<std::uint32_t> generation_{0};
  std::mutex countMutex_;
  bool counting_ = false;
  std::int64_t mixedFrames_ = 0;
  std::int64_t endFrame_ = -1;
  std::string fileName_;
  std::string deviceType_;
  std::int32_t from_ = 0;
  bool shareable_ = false;
  bool notify_ = false;
};

}  // namespace moriva
