#include "replay/RouteFollow.h"

#include <memory>
#include <ostream>

#include "game/Game.h"
#include "replay/PositionLine.h"
#include "replay/ReplayHost.h"
#include "world/basMoriva.h"

namespace moriva {

void PlayRouteScript(const basMoriva& world, const Surface& tiles, const Surface& sprites,
                     const std::string& folder, const ReplayScript& script,
                     const std::function<void(long frame, const Game& game)>& onFrame) {
  auto module = std::make_unique<basMoriva>(world);
  std::ostream nowhere(nullptr);  // the trace is not wanted, only the frames
  ReplayHost host(script, nowhere);
  Game game(*module, tiles, sprites, host, folder);
  host.Attach(game);
  host.onFrameWritten = [&game, &onFrame](long frame) { onFrame(frame, game); };
  game.SetViewFrame(kViewFrameSize, kViewFrameSize);
  game.ReturnToTitle();
  ApplyScriptStart(game, *module, script.start, script.items, script.switchOn);
  game.lblTitle_Click(script.continueGame ? 1 : 0);
}

}  // namespace moriva
