#include "FuzzSupport.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace moriva::fuzz {

namespace {
// The folder goes when the process ends normally; a crash leaves it for the post-mortem.
struct Folder {
  std::string path;
  Folder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "moriva-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
      std::perror("mkdtemp");
      std::abort();
    }
    path = pattern;
  }
  ~Folder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
};
}  // namespace

const std::string& ScratchFolder() {
  static const Folder folder;
  return folder.path;
}

void WriteInput(const std::string& path, const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  Require(file != nullptr, "the scratch file opens");
  // An empty input comes with no buffer at all, and fwrite may not be handed a null one.
  if (size > 0) Require(std::fwrite(data, 1, size, file) == size, "the input is written");
  std::fclose(file);
}

}  // namespace moriva::fuzz
