// moriva-tool save show

#include "ToolSupport.h"
#include "world/SaveFile.h"

namespace moriva::tool {

namespace {

constexpr const char* kShowUsage = "save show FILE";
constexpr std::int64_t kHeaderBytes = 2;  // the 16-bit header value of record 1

template <typename Array>
void JsonList(std::ostream& out, const Array& values) {
  out << '[';
  for (std::size_t i = 0; i < values.size(); ++i) out << (i ? ", " : "") << values[i];
  out << ']';
}

template <typename Table>
void JsonTable(std::ostream& out, const Table& columns) {
  out << '[';
  for (std::size_t c = 0; c < columns.size(); ++c) {
    out << (c ? ", " : "");
    JsonList(out, columns[c]);
  }
  out << ']';
}

void JsonSlot(std::ostream& out, int k, const RawSaveFile::Slot& slot) {
  const SaveSlotData& d = slot.data;
  out << "{\"slot\": " << k << ", \"present\": " << (slot.present ? "true" : "false")
      << ", \"BlockX\": " << d.BlockX << ", \"BlockY\": " << d.BlockY
      << ", \"RestartX\": " << JsonFloat(d.RestartX) << ", \"RestartY\": " << JsonFloat(d.RestartY)
      << ", \"SwitchOn\": " << d.SwitchOn << ", \"HaveItem\": ";
  JsonList(out, d.HaveItem);
  out << ", \"BlockColor\": ";
  JsonTable(out, d.BlockColor);
  out << ", \"MissCount\": ";
  JsonTable(out, d.MissCount);
  out << '}';
}

int Show(const Arguments& args, std::ostream& out) {
  ExpectArgumentCount(args, 2, kShowUsage);
  const std::string& path = args[1];
  const std::int64_t size = ExistingFileSize(path);
  if (size == 0) throw ToolError(path + ": empty file, not a saved game");
  if (size < kHeaderBytes) throw ToolError(path + ": too short to hold the save header");
  RawSaveFile raw;
  if (IoResult r = ReadRawSaveFile(path, raw); !r) throw ToolError(r.message);
  out << "{\"SaveSlot\": " << raw.SaveSlot << ", \"slots\": [";
  for (int k = 0; k < kSaveSlots; ++k) {
    out << (k ? ",\n  " : "\n  ");
    JsonSlot(out, k, raw.ring[k]);
  }
  out << "\n]}\n";
  return kSuccess;
}

const bool kRegistered = RegisterCommandGroup({"save", kShowUsage, [](const Arguments& args, std::ostream& out) {
  return RunOnlyCommand(args, out, "save", "show", &Show);
}});

}  // namespace

}  // namespace moriva::tool
