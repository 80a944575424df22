// Places an empty world (62,500 zero bytes) at the given path when no file is there, so a
// fresh build has a world to open. An existing world is never touched: it may be the
// player's own, saved by the editor.

#include <iostream>

#include "platform/FileStore.h"
#include "world/MapFile.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: moriva-emptyworld PATH\n";
    return 2;
  }
  if (moriva::ProbeFile(argv[1]) != moriva::FileKind::Missing) return 0;
  if (moriva::IoResult r = moriva::SaveMap(argv[1], moriva::MapGrid()); !r) {
    std::cerr << "moriva-emptyworld: " << r.message << "\n";
    return 1;
  }
  return 0;
}
