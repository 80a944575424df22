#include "platform/SdlControllerSource.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>

namespace moriva {

namespace {

SDL_GameController* AsPad(void* p) { return static_cast<SDL_GameController*>(p); }

struct ButtonEntry {
  PadButton pad;
  SDL_GameControllerButton sdl;
};
constexpr ButtonEntry kButtons[] = {
    {PadButton::Bottom, SDL_CONTROLLER_BUTTON_A},        {PadButton::Right, SDL_CONTROLLER_BUTTON_B},
    {PadButton::Start, SDL_CONTROLLER_BUTTON_START},     {PadButton::DpadUp, SDL_CONTROLLER_BUTTON_DPAD_UP},
    {PadButton::DpadDown, SDL_CONTROLLER_BUTTON_DPAD_DOWN},
    {PadButton::DpadLeft, SDL_CONTROLLER_BUTTON_DPAD_LEFT},
    {PadButton::DpadRight, SDL_CONTROLLER_BUTTON_DPAD_RIGHT},
};

// Of two pads' stick readings the one further from rest counts.
std::int16_t Stronger(std::int16_t a, std::int16_t b) { return std::abs(b) > std::abs(a) ? b : a; }

}  // namespace

SdlControllerSource::SdlControllerSource() {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // A button let go while another window has the focus must still be seen, or its key
  // would stay held.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  started_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
  if (!started_) return;
  for (int i = 0; i < SDL_NumJoysticks(); ++i) Open(i);
}

SdlControllerSource::~SdlControllerSource() {
  for (void* pad : pads_) SDL_GameControllerClose(AsPad(pad));
  if (started_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void SdlControllerSource::Open(int deviceIndex) {
  if (!SDL_IsGameController(deviceIndex)) return;
  SDL_GameController* pad = SDL_GameControllerOpen(deviceIndex);
  if (!pad) return;
  // The start-up scan and the plug-in event both name a pad that is already there.
  if (std::find(pads_.begin(), pads_.end(), pad) != pads_.end()) {
    SDL_GameControllerClose(pad);
    return;
  }
  pads_.push_back(pad);
}

void SdlControllerSource::Close(int instanceId) {
  auto gone = std::find_if(pads_.begin(), pads_.end(), [instanceId](void* p) {
    return SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(AsPad(p))) == instanceId;
  });
  if (gone == pads_.end()) return;
  SDL_GameControllerClose(AsPad(*gone));
  pads_.erase(gone);
}

PadState SdlControllerSource::Poll() {
  PadState state;
  if (!started_) return state;
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    if (event.type == SDL_CONTROLLERDEVICEADDED) Open(event.cdevice.which);
    if (event.type == SDL_CONTROLLERDEVICEREMOVED) Close(event.cdevice.which);
  }
  SDL_GameControllerUpdate();
  for (void* p : pads_) {
    SDL_GameController* pad = AsPad(p);
    for (const ButtonEntry& b : kButtons)
      if (SDL_GameControllerGetButton(pad, b.sdl)) state.set(b.pad, true);
    state.leftX = Stronger(state.leftX, SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX));
    state.leftY = Stronger(state.leftY, SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY));
  }
  return state;
}

}  // namespace moriva
