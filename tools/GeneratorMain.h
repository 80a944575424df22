#pragma once

// The command line of the asset generators: TOOL SOURCE OUT reads the source text, turns it
// into the output file's bytes and writes them, or names the file at fault and fails.
#include <cstdint>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace moriva::generator {

// The bytes of the output file for a source text; `summary` may describe what was made.
using Convert = std::function<std::vector<std::uint8_t>(const std::string& text, std::string& summary)>;

// Exit status 2 for a wrong command line, 1 for a source or file fault (SourceError is
// what the conversion throws for a fault in the source), 0 when the file is written.
template <typename SourceError>
int RunGenerator(int argc, char** argv, const char* usage, const Convert& convert) {
  if (argc != 3) {
    std::cerr << "usage: " << usage << "\n";
    return 2;
  }
  std::ifstream in(argv[1]);
  if (!in) {
    std::cerr << argv[1] << ": cannot be read\n";
    return 1;
  }
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  try {
    std::string summary;
    const std::vector<std::uint8_t> bytes = convert(text, summary);
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
      std::cerr << argv[2] << ": cannot be written\n";
      return 1;
    }
    if (!summary.empty()) std::cout << argv[2] << ": " << summary << "\n";
  } catch (const SourceError& e) {
    std::cerr << argv[1] << ":" << e.what() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace moriva::generator
