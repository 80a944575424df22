#pragma once

#include <ostream>

#include "CommandGroup.h"

namespace moriva::tool {

// map fill IN OUT BX BY CODE | map replace IN OUT FROM TO | map edge IN OUT BX BY: the
// editor's bulk edits on a map file, written to OUT (which may be IN) in one step.
constexpr const char* kFillUsage = "map fill IN OUT BX BY CODE";
constexpr const char* kReplaceUsage = "map replace IN OUT FROM TO";
constexpr const char* kEdgeUsage = "map edge IN OUT BX BY";

int MapFill(const Arguments& args, std::ostream& out);
int MapReplace(const Arguments& args, std::ostream& out);
int MapEdge(const Arguments& args, std::ostream& out);

}  // namespace moriva::tool
