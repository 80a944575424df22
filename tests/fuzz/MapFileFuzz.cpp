// The map file reader, on the file's bytes in memory: any file is a world; bytes past the
// world are ignored and the spare row and column stay empty.

#include "FuzzSupport.h"
#include "world/MapFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace moriva;
  static MapGrid map;
  DecodeMap(Bytes(data, data + size), map);
  for (int i = 0; i <= kWorldTiles; ++i)
    fuzz::Require(map(kWorldTiles, i) == 0 && map(i, kWorldTiles) == 0, "the spare row and column stay 0");
  const auto last = static_cast<std::size_t>(kMapFileBytes) - 1;
  fuzz::Require(map(kWorldTiles - 1, kWorldTiles - 1) == (size > last ? data[last] : 0),
                "the last cell is the file's byte 62,499");
  return 0;
}
