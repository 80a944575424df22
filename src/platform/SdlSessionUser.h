#pragma once

#include <memory>
#include <utility>

namespace moriva {

class SdlAudioSession;

// A device that plays through the shared SDL_mixer session. It keeps the session (and with
// it the mixer) open for as long as it lives, and owns mixer state that must not be copied.
class SdlSessionUser {
 public:
  SdlSessionUser(const SdlSessionUser&) = delete;
  SdlSessionUser& operator=(const SdlSessionUser&) = delete;

 protected:
  explicit SdlSessionUser(std::shared_ptr<SdlAudioSession> session) : session_(std::move(session)) {}
  ~SdlSessionUser() = default;

 private:
  std::shared_ptr<SdlAudioSession> session_;
};

}  // namespace moriva
