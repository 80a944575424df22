#include "platform/SdlMidiDevice.h"

#include <SDL_mixer.h>

#include <QMetaObject>

#include <algorithm>
#include <chrono>
#include <optional>
#include <utility>

#include "platform/MidiDecoderLock.h"
#include "platform/MidiDeviceLength.h"
#include "platform/ReturnFreedMemory.h"
#include "platform/SdlAudioSession.h"

namespace moriva {

namespace {
// SDL_mixer has one music stream and a plain function hook, so one device listens at a time.
// Written on the window thread; read by the hook, which runs under SDL's audio lock, and the
// hook is replaced (taking that lock) before the device goes away.
std::atomic<SdlMidiDevice*> gListening{nullptr};
constexpr int kPlayOnce = 1;
constexpr double kMillisecondsPerSecond = 1000.0;
}  // namespace

SdlMidiDevice::SdlMidiDevice(std::shared_ptr<SdlAudioSession> session) : SdlSessionUser(std::move(session)) {
  int frequency = 0, channels = 0;
  Uint16 format = 0;
  if (Mix_QuerySpec(&frequency, &format, &channels) != 0 && frequency > 0 && channels > 0) {
    framesPerSecond_ = frequency;
    bytesPerFrame_ = channels * static_cast<int>(SDL_AUDIO_BITSIZE(format) / 8);
  }
  gListening = this;
  Mix_HookMusicFinished(&SdlMidiDevice::MusicFinished);
  Mix_SetPostMix(&SdlMidiDevice::PostMix, this);
}

SdlMidiDevice::~SdlMidiDevice() {
  Mix_SetPostMix(nullptr, nullptr);
  Mix_HookMusicFinished(nullptr);
  gListening = nullptr;
  Halt(State::kClosed);
  ReleaseMusic();
  for (auto& [name, piece] : pieces_) {
    if (piece.ready) retired_.push_back(piece.ready);
    if (piece.loading.valid()) {
      if (Mix_Music* music = piece.loading.get()) retired_.push_back(music);
    }
  }
  const std::lock_guard<std::mutex> decoding(MidiDecoderLock());
  for (Mix_Music* music : retired_) Mix_FreeMusic(music);
}

void SdlMidiDevice::SetCommand(const std::string& command) {
  if (command == "Close") {
    Close();
  } else if (command == "open") {
    Open();
  } else if (command == "Play") {
    Play();
  } else if (command == "Prev") {
    Prev();
  }
}

bool SdlMidiDevice::IsStreamSounding() const { return Mix_PlayingMusic() != 0; }

int SdlMidiDevice::InstancesHeld() const {
  int held = music_ ? 1 : 0;
  for (const auto& [name, piece] : pieces_) {
    const bool decoded = piece.loading.valid() && piece.loading.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    held += (piece.ready ? 1 : 0) + (decoded ? 1 : 0);
  }
  return held;
}

Mix_Music* SdlMidiDevice::TakeFresh(Piece& piece, bool waitForLoading) {
  if (piece.missing) return nullptr;
  Mix_Music* music = std::exchange(piece.ready, nullptr);
  if (!music && piece.loading.valid()) {
    if (!waitForLoading && piece.loading.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return nullptr;
    music = piece.loading.get();
    if (!music) {
      // A missing or unreadable file is remembered as silence and never retried.
      piece.missing = true;
      return nullptr;
    }
  }
  if (!piece.loading.valid()) StartLoading(piece);
  return music;
}

void SdlMidiDevice::StartLoading(Piece& piece) {
  const std::uint32_t serial = ++piece.loads;
  piece.loading = std::async(std::launch::async, [this, &piece, serial, used = std::exchange(retired_, {})] {
    Mix_Music* music = nullptr;
    {
      const std::lock_guard<std::mutex> decoding(MidiDecoderLock());
      for (Mix_Music* old : used) Mix_FreeMusic(old);
      music = Mix_LoadMUS(piece.file.c_str());
    }
    ReturnFreedMemory();
    // The last step: the window thread may then wait for the result without blocking.
    QMetaObject::invokeMethod(&windowThread_, [this, &piece, serial] { OnDecoded(piece, serial); }, Qt::QueuedConnection);
    return music;
  });
}

void SdlMidiDevice::DropSparesExcept(const Piece& keep) {
  for (auto& [name, piece] : pieces_) {
    if (&piece == &keep) continue;
    if (piece.ready) retired_.push_back(std::exchange(piece.ready, nullptr));
    if (piece.loading.valid() && piece.loading.wait_for(std::chrono::seconds(0)) == std::future_status::ready)
      Retire(piece, piece.loading.get());
  }
}

void SdlMidiDevice::Retire(Piece& piece, Mix_Music* decoded) {
  if (decoded) {
    retired_.push_back(decoded);
  } else {
    piece.missing = true;
  }
}

void SdlMidiDevice::OnDecoded(Piece& piece, std::uint32_t serial) {
  // Only the decode that sent this report is known to be finished.
  if (serial != piece.loads || !piece.loading.valid()) return;
  if (&piece != piece_) {
    // Decoded for a piece that has been left meanwhile: not worth its memory.
    Retire(piece, piece.loading.get());
    return;
  }
  if (music_ || state_ == State::kClosed) return;  // the spare: kept for the next start
  music_ = TakeFresh(piece, true);
  if (music_ && startWhenReady_) Play();
}

void SdlMidiDevice::ReleaseMusic() {
  if (music_) {
    if (!played_ && piece_ && !piece_->ready) {
      piece_->ready = music_;
    } else {
      retired_.push_back(music_);
    }
  }
  music_ = nullptr;
  piece_ = nullptr;
  played_ = false;
}

void SdlMidiDevice::Close() {
  Halt(State::kClosed);
  ReleaseMusic();
}

SdlMidiDevice::Piece& SdlMidiDevice::PieceOf(const std::string& file) {
  auto [found, added] = pieces_.try_emplace(file);
  Piece& piece = found->second;
  if (added) {
    piece.file = file;
    if (const std::optional<double> seconds = MidiFilePlayingSeconds(file)) {
      piece.frames = static_cast<std::int64_t>(*seconds * framesPerSecond_);
    }
  }
  return piece;
}

void SdlMidiDevice::Adopt(const std::string& file, Mix_Music* music) {
  Piece& piece = PieceOf(file);
  if (piece.ready) retired_.push_back(piece.ready);
  piece.ready = music;
}

void SdlMidiDevice::Open() {
  Halt(State::kClosed);
  ReleaseMusic();
  Piece& piece = PieceOf(fileName_);
  // Before the piece's own decode starts, so that its worker frees what is dropped here.
  DropSparesExcept(piece);
  piece_ = &piece;
  music_ = TakeFresh(piece);
  pieceFrames_ = piece.frames;
  state_ = State::kStopped;
  from_ = 0;
}

void SdlMidiDevice::Play() {
  if (state_ == State::kClosed || !piece_) return;
  if (played_) {
    // The instance would go on where it stopped: a fresh one starts from the top.
    Halt(State::kStopped);
    retired_.push_back(std::exchange(music_, nullptr));
    played_ = false;
  }
  if (!music_) music_ = TakeFresh(*piece_);
  if (!music_) {
    startWhenReady_ = !piece_->missing;
    return;
  }
  startWhenReady_ = false;
  const std::int64_t fromFrames = static_cast<std::int64_t>(from_) * framesPerSecond_ / 1000;
  {
    // The new generation is taken before the stream starts: a report still in flight for the
    // previous play then carries an old number and is dropped.
    std::lock_guard lock(countMutex_);
    ++generation_;
    counting_ = true;
    mixedFrames_ = 0;
    endFrame_ = pieceFrames_ < 0 ? -1 : std::max<std::int64_t>(0, pieceFrames_ - fromFrames);
  }
  if (Mix_PlayMusic(music_, kPlayOnce) != 0) {
    Halt(State::kStopped);
    return;
  }
  played_ = true;
  if (from_ > 0) Mix_SetMusicPosition(from_ / kMillisecondsPerSecond);
  from_ = 0;
  state_ = State::kPlaying;
}

void SdlMidiDevice::Prev() {
  if (state_ == State::kClosed) return;
  Halt(State::kStopped);
  from_ = 0;
}

void SdlMidiDevice::Halt(State next) {
  state_ = next;
  startWhenReady_ = false;
  {
    std::lock_guard lock(countMutex_);
    ++generation_;
    counting_ = false;
  }
  // Also after the piece's own end: the notes still ringing out belong to it.
  if (Mix_PlayingMusic()) Mix_HaltMusic();
}

void SdlMidiDevice::OnPieceEnded(std::uint32_t generation, EndReport report) {
  if (generation != generation_ || state_ != State::kPlaying) return;
  if (report == EndReport::kStreamFinished) {
    // The frame count reports pieces of known length; a finished stream that plays again
    // was restarted after this report was sent.
    if (pieceFrames_ >= 0 || Mix_PlayingMusic()) return;
  }
  state_ = State::kStopped;
  if (notify_) RaiseDone(kNotifySuccessful);
}

void SdlMidiDevice::PostEnd(std::uint32_t generation, EndReport report) {
  QMetaObject::invokeMethod(
      &windowThread_, [this, generation, report] { OnPieceEnded(generation, report); }, Qt::QueuedConnection);
}

void SdlMidiDevice::CountMixed(int bytes) {
  std::lock_guard lock(countMutex_);
  if (!counting_) return;
  mixedFrames_ += bytes / bytesPerFrame_;
  if (endFrame_ >= 0 && mixedFrames_ >= endFrame_) {
    counting_ = false;
    PostEnd(generation_, EndReport::kMusicLength);
  }
}

void SdlMidiDevice::MusicFinished() {
  if (SdlMidiDevice* device = gListening.load()) device->PostEnd(device->generation_, EndReport::kStreamFinished);
}

void SdlMidiDevice::PostMix(void* device, std::uint8_t*, int bytes) {
  static_cast<SdlMidiDevice*>(device)->CountMixed(bytes);
}

}  // namespace moriva
