#pragma once
// The archive store's tree in memory: directories hold their children in a
// vector, files keep their stored (possibly compressed) bytes.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/impet_record.h"

namespace ign {

struct ImpetEntry {
  std::string name;  // Windows-1250 bytes, at most 52
  bool dir = false;
  uint32_t size = 0;   // file: uncompressed length
  int32_t stored = 0;  // file: compressed length, 0 = plain
  uint64_t time = 0;   // FILETIME
  std::string data;    // file: the stored bytes
  std::vector<ImpetEntry> children;

  // The bytes a file occupies in the store.
  size_t StoredBytes() const { return dir ? 0 : data.size(); }
  ImpetEntry* Child(std::string_view childName);
  const ImpetEntry* Child(std::string_view childName) const;
};

// An archive path in parts: "\" separates, a leading "\" is ignored, each part
// is cut to 52 bytes and the last part loses one trailing ".". Nothing when
// a part other than a leading one is empty. The root is the empty list.
std::optional<std::vector<std::string>> SplitArchivePath(std::string_view path);

const ImpetEntry* FindEntry(const ImpetEntry& root, const std::vector<std::string>& parts);
ImpetEntry* FindEntry(ImpetEntry& root, const std::vector<std::string>& parts);

// Entries below e (files and directories, e itself not counted).
size_t CountEntries(const ImpetEntry& e);
size_t CountFiles(const ImpetEntry& e);
// Levels of entries below e: 0 for a file or an empty directory.
int Height(const ImpetEntry& e);

// The directory size field: the child array's capacity, 1580 bytes per 20 records.
uint32_t DirCapacity(size_t count);

// Uncompresses a file's bytes; false when they do not give exactly its size.
bool ExtractData(const ImpetEntry& file, std::string& out);

// Makes a file entry of plain bytes: more than 100 bytes are compressed when
// that makes them smaller, otherwise they are kept as they are.
void SetFileData(ImpetEntry& file, std::string_view bytes);
constexpr size_t kImpetPlainLimit = 100;

}  // namespace ign
