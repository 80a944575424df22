#include "world/MapFile.h"

#include "platform/ProgramFolder.h"

namespace moriva {

namespace {
void Report(const MapProgress& progress, int x) {
  if (progress && x % kMapProgressEvery == 0) progress(MapProgressText(x));
}
}  // namespace

std::string MapFilePath(const std::string& folder) { return JoinProgramPath(folder, kMapFileName); }

std::string MapProgressText(int x) { return std::to_string(x) + "/240)"; }

void DecodeMap(const Bytes& bytes, MapGrid& map, const MapProgress& progress) {
  map.clear();
  const std::size_t size = bytes.size();
  for (int x = 0; x < kWorldTiles; ++x) {
    for (int y = 0; y < kWorldTiles; ++y) {
      const auto offset = static_cast<std::size_t>(x * kWorldTiles + y);
      if (offset < size) map(x, y) = bytes[offset];
    }
    Report(progress, x);
  }
}

IoResult LoadMap(const std::string& path, MapGrid& map, const MapProgress& progress) {
  map.clear();
  // A missing world is an empty one; the empty file marks where the editor will save it.
  if (ProbeFile(path) == FileKind::Missing) {
    if (IoResult r = CreateEmptyFile(path); !r) return r;
  }
  // Read-only access is enough to load: a world on a write-protected medium still plays.
  Bytes bytes;
  if (IoResult r = ReadFileBytes(path, bytes, kMapFileBytes); !r) return r;
  DecodeMap(bytes, map, progress);
  return IoResult::Success();
}

IoResult SaveMap(const std::string& path, const MapGrid& map, const MapProgress& progress) {
  // Whatever a longer file holds beyond the world belongs to someone else: keep it.
  Bytes tail;
  if (ProbeFile(path) == FileKind::File) {
    if (IoResult r = ReadFileTail(path, kMapFileBytes, tail); !r) return r;
  }
  Bytes bytes(kMapFileBytes, 0);
  for (int x = 0; x < kWorldTiles; ++x) {
    for (int y = 0; y < kWorldTiles; ++y) bytes[static_cast<std::size_t>(x * kWorldTiles + y)] = map(x, y);
    Report(progress, x);
  }
  bytes.insert(bytes.end(), tail.begin(), tail.end());
  return WriteFileAtomically(path, bytes);
}

}  // namespace moriva
