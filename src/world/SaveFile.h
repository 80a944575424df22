#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/FileStore.h"
#include "platform/IoResult.h"
#include "world/SaveSlotData.h"

namespace moriva {

constexpr const char* kSaveFileName = "savedata.dat";
constexpr int kRecordBytes = 128;   // every value sits at the start of its own record
constexpr int kSaveSlots = 10;      // the ring of slots after the header record
constexpr int kSlotRecords = 70;    // records per slot, of which 65 are written
constexpr int kSlotValues = 65;     // values per slot: 2 + 2 + 1 + 10 + 2 x 25

// Folder + "/" + "savedata.dat".
std::string SaveFilePath(const std::string& folder);

// Records are numbered from 1; record n starts at byte (n - 1) x 128. Record 1 is the
// header (the slot the next save writes); slot k starts at record 70 k + 2.
constexpr std::int64_t RecordOffset(int record) {
  return static_cast<std::int64_t>(record - 1) * kRecordBytes;
}
constexpr int SlotFirstRecord(int slot) { return kSlotRecords * slot + 2; }
// The last record that a save writes into the slot: its final miss count.
constexpr int SlotLastRecord(int slot) { return SlotFirstRecord(slot) + kSlotValues - 1; }

// The slot a load with `back` reads: (SaveSlot + 10 - 1 - back) mod 10, for back 0..9.
int SlotForBack(int saveSlot, int back);

// Writes `data` into the slot named by the header (a header outside 0..9 counts as 0),
// then advances the header to the next slot. The file is created when missing and replaced
// in one step. `writtenSlot`, when given, receives the slot written.
IoResult WriteNextSlot(const std::string& path, const SaveSlotData& data,
                       int* writtenSlot = nullptr);

// The outcome of reading a slot for the game.
struct SlotRead {
  enum class Status { Loaded, NoFile, Failed };
  Status status = Status::NoFile;
  int slot = 0;             // the slot read
  bool corrected = false;   // values had to be brought into range
  SaveSlotData data;        // range-corrected
  std::string message;      // why it failed
};

// Reads the slot `back` saves before the newest, without writing anything: loading never
// moves where the next save goes. Values are range-corrected; a slot the file does not
// (fully) hold reads zeros where its records are missing.
SlotRead ReadSlot(const std::string& path, int back);
// The same from the file's bytes, already read: always Loaded.
SlotRead ReadSlotFromBytes(Bytes bytes, int back);

// The file as stored, for inspection tools: nothing corrected.
struct RawSaveFile {
  struct Slot {
    bool present = false;  // false when the file ends before the slot's last value
    SaveSlotData data;     // as stored; zeros where the file ends
  };
  std::int64_t size = 0;
  std::int16_t SaveSlot = 0;  // as stored, 0 when the file is too short to hold it
  std::array<Slot, kSaveSlots> ring{};  // slots 0..9 in order
};

IoResult ReadRawSaveFile(const std::string& path, RawSaveFile& out);
// The same from the file's bytes, already read.
RawSaveFile DecodeRawSaveFile(Bytes bytes);

}  // namespace moriva
