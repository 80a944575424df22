// moriva-worldgen: turns the world sources of data/world into mapdata.dat, checks them,
// or turns a map file saved by the editor back into sources.
#include <QCoreApplication>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>

#include "MapFileIo.h"
#include "WorldSource.h"

namespace {

using namespace moriva::worldgen;

constexpr int kMaxErrorsShown = 50;
constexpr const char* kUsage =
    "usage: moriva-worldgen SOURCE_DIR MAP_FILE     build the map file from the sources\n"
    "       moriva-worldgen --check SOURCE_DIR      only check the sources\n"
    "       moriva-worldgen --import MAP_FILE SOURCE_DIR\n"
    "                                               rewrite the block files from a map file,\n"
    "                                               using the folder's legend\n";

int Report(const SourceErrors& errors) {
  int shown = 0;
  for (const auto& error : errors) {
    if (shown++ == kMaxErrorsShown) {
      std::fprintf(stderr, "... and %d more\n", static_cast<int>(errors.size()) - kMaxErrorsShown);
      break;
    }
    std::fprintf(stderr, "%s\n", error.Text().c_str());
  }
  return errors.empty() ? 0 : 1;
}

// The "//" lines at the top of a block file describe the block; an import keeps them.
std::string LeadingComments(const std::string& path) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return {};
  std::istringstream in(file.readAll().toStdString());
  std::string line, comments;
  while (std::getline(in, line) && line.rfind("//", 0) == 0) comments += line + "\n";
  return comments;
}

int Import(const std::string& mapPath, const std::string& sourceDir) {
  WorldTiles tiles;
  if (auto error = ReadMapFile(mapPath, tiles); !error.empty()) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  SourceErrors errors;
  const std::string legendPath = sourceDir + "/" + kLegendFileName;
  QFile legendFile(QString::fromStdString(legendPath));
  if (!legendFile.open(QIODevice::ReadOnly)) {
    errors.push_back({legendPath, 0, 0, "cannot read: " + legendFile.errorString().toStdString()});
    return Report(errors);
  }
  const WorldLegend legend =
      WorldLegend::Parse(legendFile.readAll().toStdString(), legendPath, errors);
  if (!errors.empty()) return Report(errors);
  std::string texts[kWorldBlocks][kWorldBlocks];
  for (int by = 0; by < kWorldBlocks; ++by) {
    for (int bx = 0; bx < kWorldBlocks; ++bx) {
      const std::string path = sourceDir + "/" + BlockFileName(bx, by);
      const std::string comments = LeadingComments(path);
      const int firstLine = static_cast<int>(std::count(comments.begin(), comments.end(), '\n')) + 1;
      texts[bx][by] = comments + BlockText(tiles, legend, bx, by, path, firstLine, errors);
    }
  }
  // Nothing is written unless every block converts, so the sources never end up half old.
  if (!errors.empty()) return Report(errors);
  for (int by = 0; by < kWorldBlocks; ++by) {
    for (int bx = 0; bx < kWorldBlocks; ++bx) {
      const std::string path = sourceDir + "/" + BlockFileName(bx, by);
      if (auto error = WriteTextFile(path, texts[bx][by]); !error.empty()) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
      }
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const std::string first = argc > 1 ? argv[1] : "";
  if (argc == 3 && first == "--check") {
    SourceErrors errors;
    CompileWorld(argv[2], errors);
    return Report(errors);
  }
  if (argc == 4 && first == "--import") return Import(argv[2], argv[3]);
  if (argc != 3 || first.rfind("--", 0) == 0) {
    std::fputs(kUsage, first == "--help" ? stdout : stderr);
    return first == "--help" ? 0 : 2;
  }
  SourceErrors errors;
  const WorldTiles tiles = CompileWorld(argv[1], errors);
  if (!errors.empty()) return Report(errors);
  if (auto error = WriteMapFile(tiles, argv[2]); !error.empty()) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  return 0;
}
