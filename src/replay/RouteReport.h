#pragma once

#include <ostream>

#include "replay/RouteSearch.h"

namespace moriva {

// The route checker's report as JSON Lines (see docs/world-check.md): one line per box of
// the world, one per block, one per place where the hero is stranded, then the summary.
void WriteCheckReport(std::ostream& out, const RouteSearchResult& result);

// A found route as a replay script that `moriva-tool replay` plays to the ending.
void WriteRouteScript(std::ostream& out, const RouteSearchOptions& options,
                      const RouteSearchResult& result);

}  // namespace moriva
