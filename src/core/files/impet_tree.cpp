#include "core/files/impet_tree.h"

#include <zlib.h>

#include <algorithm>

namespace ign {

ImpetEntry* ImpetEntry::Child(std::string_view childName) {
  for (ImpetEntry& c : children)
    if (SameName(c.name, childName)) return &c;
  return nullptr;
}

const ImpetEntry* ImpetEntry::Child(std::string_view childName) const {
  return const_cast<ImpetEntry*>(this)->Child(childName);
}

std::optional<std::vector<std::string>> SplitArchivePath(std::string_view path) {
  if (!path.empty() && path.front() == '\\') path.remove_prefix(1);
  std::vector<std::string> parts;
  if (path.empty()) return parts;
  size_t start = 0;
  while (true) {
    const size_t end = path.find('\\', start);
    const std::string_view part = path.substr(start, end == std::string_view::npos ? end : end - start);
    if (part.empty()) return std::nullopt;
    parts.push_back(CutName(part));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  std::string& last = parts.back();
  if (!last.empty() && last.back() == '.') last.pop_back();
  if (last.empty()) return std::nullopt;
  return parts;
}

ImpetEntry* FindEntry(ImpetEntry& root, const std::vector<std::string>& parts) {
  ImpetEntry* e = &root;
  for (const std::string& p : parts) {
    if (!e->dir) return nullptr;
    e = e->Child(p);
    if (!e) return nullptr;
  }
  return e;
}

const ImpetEntry* FindEntry(const ImpetEntry& root, const std::vector<std::string>& parts) {
  return FindEntry(const_cast<ImpetEntry&>(root), parts);
}

size_t CountEntries(const ImpetEntry& e) {
  size_t n = 0;
  for (const ImpetEntry& c : e.children) n += 1 + CountEntries(c);
  return n;
}

size_t CountFiles(const ImpetEntry& e) {
  if (!e.dir) return 1;
  size_t n = 0;
  for (const ImpetEntry& c : e.children) n += CountFiles(c);
  return n;
}

int Height(const ImpetEntry& e) {
  int h = 0;
  for (const ImpetEntry& c : e.children) h = std::max(h, 1 + Height(c));
  return h;
}

uint32_t DirCapacity(size_t count) {
  const size_t chunks = std::max<size_t>(1, (count + 19) / 20);
  return uint32_t(chunks * kImpetDirChunk);
}

bool ExtractData(const ImpetEntry& file, std::string& out) {
  if (file.dir) return false;
  if (file.stored == 0) {
    if (file.data.size() != file.size) return false;
    out = file.data;
    return true;
  }
  out.assign(file.size, '\0');
  uLongf len = file.size;
  const int rc = uncompress(reinterpret_cast<Bytef*>(out.data()), &len,
                            reinterpret_cast<const Bytef*>(file.data.data()), uLong(file.data.size()));
  if (rc != Z_OK || len != file.size) {
    out.clear();
    return false;
  }
  return true;
}

void SetFileData(ImpetEntry& file, std::string_view bytes) {
  file.dir = false;
  file.children.clear();
  file.size = uint32_t(bytes.size());
  file.stored = 0;
  if (bytes.size() > kImpetPlainLimit) {
    // Compressed into a buffer of the file's own length: what does not fit
    // gains nothing and is kept plain.
    std::string packed(bytes.size(), '\0');
    uLongf len = uLongf(packed.size());
    const int rc = compress(reinterpret_cast<Bytef*>(packed.data()), &len,
                            reinterpret_cast<const Bytef*>(bytes.data()), uLong(bytes.size()));
    if (rc == Z_OK && len < bytes.size()) {
      packed.resize(len);
      packed.shrink_to_fit();
      file.data = std::move(packed);
      file.stored = int32_t(len);
      return;
    }
  }
  file.data.assign(bytes);
}

}  // namespace ign
