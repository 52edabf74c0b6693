// CImpet: construction and loading (OPEN).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "core/files/impet.h"
#include "core/files/impet_io.h"

namespace ign {

namespace {

constexpr size_t kScanChunk = 0x40000;  // 256 KiB
constexpr size_t kBlock = 256;

// Reads the tree in layout order from a descriptor, never asking for more
// than the file still holds, never deeper than the depth limit.
class TreeReader {
 public:
  TreeReader(int fd, uint64_t pos, uint64_t end) : fd_(fd), pos_(pos), end_(end) {}

  bool DirContent(ImpetEntry& dir, unsigned count, int depth) {
    const uint64_t bytes = uint64_t(count) * kImpetRecordSize;
    if (bytes > Left()) return false;
    if (count > 0 && depth >= kImpetMaxDepth) return false;
    std::vector<uint8_t> records(bytes);
    if (!Read(records.data(), bytes)) return false;
    dir.children.resize(count);
    std::vector<unsigned> counts(count);
    for (unsigned i = 0; i < count; ++i) {
      IMPET_FILE r;
      if (!DecodeRecord(&records[i * kImpetRecordSize], r) || !ValidChild(r)) return false;
      ImpetEntry& c = dir.children[i];
      c.name = std::move(r.name);
      c.dir = r.IsDir();
      c.time = r.time;
      if (!c.dir) {
        c.size = r.size;
        c.stored = r.stored;
      }
      counts[i] = r.Count();
    }
    for (unsigned i = 0; i < count; ++i) {
      ImpetEntry& c = dir.children[i];
      if (c.dir) {
        if (!DirContent(c, counts[i], depth + 1)) return false;
      } else if (!FileContent(c)) {
        return false;
      }
    }
    return true;
  }

 private:
  uint64_t Left() const { return pos_ < end_ ? end_ - pos_ : 0; }
  bool Read(void* dst, uint64_t n) {
    if (n > Left()) return false;
    if (n > 0 && !PreadFull(fd_, dst, size_t(n), pos_)) return false;
    pos_ += n;
    return true;
  }
  static bool ValidChild(const IMPET_FILE& r) {
    if (r.name.empty() || (r.flags & 0x7000) != 0) return false;
    if (r.IsDir()) return true;
    if (r.Count() != 0 || r.size > kImpetFileMax || r.stored < 0) return false;
    return uint32_t(r.stored) <= r.size;
  }
  bool FileContent(ImpetEntry& f) {
    const uint64_t n = f.stored ? uint64_t(f.stored) : f.size;
    if (n > Left()) return false;
    f.data.resize(size_t(n));
    return Read(f.data.data(), n);
  }

  int fd_;
  uint64_t pos_, end_;
};

}  // namespace

CImpet::CImpet() { Discard(); }

void CImpet::Discard() {
  loaded_ = false;
  markerFound_ = false;
  hostOffset_ = 0;
  Clear();
}

void CImpet::Clear() {
  root_ = ImpetEntry{};
  root_.dir = true;
}

uint64_t CImpet::StoreSize() const {
  struct Walk {
    static uint64_t Size(const ImpetEntry& e) {
      uint64_t n = kImpetRecordSize + e.StoredBytes();
      for (const ImpetEntry& c : e.children) n += Size(c);
      return n;
    }
  };
  return Walk::Size(root_);
}

int CImpet::Open(const std::string& hostPath) {
  Discard();
  hostPath_ = hostPath;
  // Non-blocking, so that a FIFO given as host never waits for a writer.
  const int fd = ::open(hostPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return kImpetCannotOpen;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return kImpetCannotOpen;
  }
  const int result = Load(fd, uint64_t(st.st_size));
  ::close(fd);
  if (result == kImpetLoaded || result == kImpetNoMarker) {
    loaded_ = true;
  } else {
    Discard();
  }
  return result;
}

int CImpet::Load(int fd, uint64_t fileLength) {
  const auto& marker = ImpetMarker();
  // Never larger than the file: a small host costs a small buffer.
  const size_t chunkSize = size_t(std::min<uint64_t>(kScanChunk, (fileLength + kBlock) / kBlock * kBlock));
  std::unique_ptr<uint8_t[]> buffer(new uint8_t[chunkSize]);
  uint8_t* chunk = buffer.get();
  uint64_t chunkStart = 0;
  while (true) {
    const ssize_t got = ReadUpTo(fd, chunk, chunkSize);
    if (got < 0) return kImpetCannotOpen;
    if (got == 0) break;
    for (size_t at = 0; at + kImpetMarkerSize <= size_t(got); at += kBlock) {
      if (chunk[at] != marker[0] || std::memcmp(&chunk[at], marker.data(), kImpetMarkerSize) != 0) continue;
      // A marker counts only with a root record behind it: an empty name and
      // the directory flag. Otherwise the search goes on.
      const uint64_t h = chunkStart + at;
      uint8_t rootBytes[kImpetRecordSize];
      IMPET_FILE root;
      if (!PreadFull(fd, rootBytes, sizeof rootBytes, h + kImpetMarkerSize) ||
          !DecodeRecord(rootBytes, root) || !root.name.empty() || !root.IsDir() || (root.flags & 0x7000))
        continue;
      hostOffset_ = h;
      markerFound_ = true;
      root_.time = root.time;
      TreeReader reader(fd, h + kImpetMarkerSize + kImpetRecordSize, fileLength);
      return reader.DirContent(root_, root.Count(), 0) ? kImpetLoaded : kImpetDamaged;
    }
    chunkStart += uint64_t(got);
    if (size_t(got) < chunkSize) break;
  }
  hostOffset_ = chunkStart;
  return kImpetNoMarker;
}

}  // namespace ign
