#include "WorldSource.h"

#include <QFile>
#include <array>
#include <sstream>

namespace moriva::worldgen {
namespace {

bool IsCommentLine(const std::string& line) { return line.rfind("//", 0) == 0; }

bool ReadText(const std::string& path, std::string& text, SourceErrors& errors) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) {
    errors.push_back({path, 0, 0, "cannot read: " + file.errorString().toStdString()});
    return false;
  }
  const QByteArray bytes = file.readAll();
  text.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  return true;
}

std::string Describe(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u > ' ' && u < 127) return std::string("'") + c + "'";
  static constexpr char kHex[] = "0123456789abcdef";
  return std::string("byte 0x") + kHex[u >> 4] + kHex[u & 15];
}

}  // namespace

std::string BlockFileName(int bx, int by) {
  return "block-" + std::to_string(bx) + "-" + std::to_string(by) + ".txt";
}

void ParseBlock(const std::string& text, const std::string& fileName, const WorldLegend& legend,
                int bx, int by, WorldTiles& tiles, SourceErrors& errors) {
  std::istringstream in(text);
  std::string line;
  int lineNo = 0;
  int row = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (IsCommentLine(line)) continue;
    if (row == kBlockTiles) {
      errors.push_back({fileName, lineNo, 1,
                        "more than " + std::to_string(kBlockTiles) + " rows (a block is " +
                            std::to_string(kBlockTiles) + " x " + std::to_string(kBlockTiles) +
                            " tiles)"});
      return;
    }
    if (line.size() != static_cast<std::size_t>(kBlockTiles)) {
      errors.push_back({fileName, lineNo, 1,
                        "row " + std::to_string(row) + " has " + std::to_string(line.size()) +
                            " characters, expected " + std::to_string(kBlockTiles)});
    } else {
      for (int i = 0; i < kBlockTiles; ++i) {
        const char c = line[static_cast<std::size_t>(i)];
        if (auto code = legend.Code(c)) {
          tiles(bx * kBlockTiles + i, by * kBlockTiles + row) = *code;
        } else {
          errors.push_back({fileName, lineNo, i + 1, Describe(c) + " is not in the legend"});
        }
      }
    }
    ++row;
  }
  if (row < kBlockTiles) {
    errors.push_back({fileName, lineNo + 1, 0,
                      "only " + std::to_string(row) + " rows, expected " +
                          std::to_string(kBlockTiles)});
  }
}

WorldTiles CompileWorld(const std::string& sourceDir, SourceErrors& errors) {
  WorldTiles tiles;
  const std::string legendPath = sourceDir + "/" + kLegendFileName;
  std::string text;
  if (!ReadText(legendPath, text, errors)) return tiles;
  const std::size_t before = errors.size();
  const WorldLegend legend = WorldLegend::Parse(text, legendPath, errors);
  if (errors.size() != before) return tiles;
  for (int by = 0; by < kWorldBlocks; ++by) {
    for (int bx = 0; bx < kWorldBlocks; ++bx) {
      const std::string path = sourceDir + "/" + BlockFileName(bx, by);
      if (ReadText(path, text, errors)) ParseBlock(text, path, legend, bx, by, tiles, errors);
    }
  }
  return tiles;
}

std::string BlockText(const WorldTiles& tiles, const WorldLegend& legend, int bx, int by,
                      const std::string& fileName, int firstLine, SourceErrors& errors) {
  std::array<bool, 256> reported{};
  std::string text;
  text.reserve(static_cast<std::size_t>((kBlockTiles + 1) * kBlockTiles));
  for (int j = 0; j < kBlockTiles; ++j) {
    for (int i = 0; i < kBlockTiles; ++i) {
      const std::uint8_t code = tiles(bx * kBlockTiles + i, by * kBlockTiles + j);
      if (auto c = legend.Character(code)) {
        text += *c;
        continue;
      }
      text += '?';
      if (!reported[code]) {
        reported[code] = true;
        errors.push_back({fileName, firstLine + j, i + 1,
                          "tile code " + std::to_string(code) + " has no character in the legend"});
      }
    }
    text += '\n';
  }
  return text;
}

}  // namespace moriva::worldgen
