// Replays saved inputs through a fuzz target without libFuzzer: the suite re-runs every
// input that ever found a fault. Arguments are files or folders of files.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "FuzzSupport.h"

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::vector<fs::path> files;
  for (int i = 1; i < argc; ++i)
    if (!fs::is_directory(argv[i])) files.emplace_back(argv[i]);
    else
      for (const auto& entry : fs::directory_iterator(argv[i]))
        if (entry.is_regular_file()) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  for (const fs::path& file : files) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    moriva::fuzz::Require(!in.bad(), "a saved input can be read");
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
  std::printf("%zu inputs replayed\n", files.size());
  // An empty corpus means the test replays nothing: count it as a fault of the setup.
  return files.empty() ? 1 : 0;
}
