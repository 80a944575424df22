#pragma once

#include <string>

namespace moriva {

// Where the files the program writes live. Run from a folder it may write (the build tree,
// a copy in the user's home) everything stays in the program's folder. Installed where it
// may not write, the world, the saves and the exports go to the user's data folder; the
// shipped world is copied there the first time it is asked for, so play starts on it and
// the editor's changes have somewhere to go. Music and effects are read where they lie.
class DataFolder {
 public:
  DataFolder(std::string programFolder, std::string userFolder, bool programWritable);

  // The files the program itself writes: the world and saves (*.dat), exports (*.bmp).
  static bool IsWrittenFile(const std::string& name);

  // The path of `name` from the program's folder: the user's data folder for a written
  // file when the program's folder is read-only, the program's folder otherwise.
  std::string Resolve(const std::string& name);

  // The folder written files go to.
  const std::string& writeFolder() const;
  const std::string& programFolder() const { return programFolder_; }
  bool redirected() const { return !programWritable_; }

 private:
  // Creates the user's folder and copies the shipped world into it, once.
  void PrepareUserFolder();

  std::string programFolder_;
  std::string userFolder_;
  bool programWritable_;
  bool prepared_ = false;
};

}  // namespace moriva
