// CImpet: saving (SAVE). The new host (its own bytes, zero padding, marker,
// store) goes to a temporary file beside it, which replaces it by rename.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <vector>

#include "core/files/impet.h"
#include "core/files/impet_io.h"

namespace ign {

namespace {

constexpr uint64_t kAlign = 256;

// The bytes of an entry's content: a file's stored bytes; a directory's
// records followed by its children's contents.
uint64_t ContentSize(const ImpetEntry& e) {
  if (!e.dir) return e.StoredBytes();
  uint64_t n = uint64_t(e.children.size()) * kImpetRecordSize;
  for (const ImpetEntry& c : e.children) n += ContentSize(c);
  return n;
}

// Writes the store in layout order; offsets count from the root record's
// first byte, where the root's content begins at 79.
class StoreWriter {
 public:
  explicit StoreWriter(FdWriter& out) : out_(out) {}

  void Root(const ImpetEntry& root, uint64_t time) {
    const auto& marker = ImpetMarker();
    out_.Write(marker.data(), marker.size());
    IMPET_FILE r = Record(root, kImpetRecordSize);
    r.time = time;
    Put(r);
    Dir(root, kImpetRecordSize);
  }

 private:
  static IMPET_FILE Record(const ImpetEntry& e, uint64_t offset) {
    IMPET_FILE r;
    r.name = e.name;
    r.time = e.time;
    r.offset = int32_t(offset);
    if (e.dir) {
      r.size = DirCapacity(e.children.size());
      r.flags = uint16_t(kImpetDirFlag | (e.children.size() & kImpetCountMask));
    } else {
      r.size = e.size;
      r.stored = e.stored;
    }
    return r;
  }
  void Put(const IMPET_FILE& r) {
    const auto bytes = EncodeRecord(r);
    out_.Write(bytes.data(), bytes.size());
  }
  // pos: where this directory's records begin.
  void Dir(const ImpetEntry& dir, uint64_t pos) {
    std::vector<uint64_t> offsets;
    offsets.reserve(dir.children.size());
    uint64_t cursor = pos + uint64_t(dir.children.size()) * kImpetRecordSize;
    for (const ImpetEntry& c : dir.children) {
      offsets.push_back(cursor);
      Put(Record(c, cursor));
      cursor += ContentSize(c);
    }
    for (size_t i = 0; i < dir.children.size(); ++i) {
      const ImpetEntry& c = dir.children[i];
      if (c.dir) {
        Dir(c, offsets[i]);
      } else {
        out_.Write(c.data);
      }
    }
  }

  FdWriter& out_;
};

bool Writable(const std::string& path, const struct stat& st) {
  // Root passes access(); the mode bits still say whether the file is meant
  // to be written.
  return ::access(path.c_str(), W_OK) == 0 && (st.st_mode & 0222) != 0;
}

// Copies the first n bytes of the host (fewer when it is shorter).
uint64_t CopyHost(int in, FdWriter& out, uint64_t n) {
  std::vector<char> buf(size_t(std::min<uint64_t>(n, 1 << 20)));
  uint64_t done = 0;
  while (done < n && out.Ok()) {
    const size_t want = size_t(std::min<uint64_t>(buf.size(), n - done));
    const ssize_t got = ReadUpTo(in, buf.data(), want);
    if (got <= 0) break;
    out.Write(buf.data(), size_t(got));
    done += uint64_t(got);
  }
  return done;
}

}  // namespace

bool CImpet::Save(uint64_t now) {
  if (!loaded_) return false;
  const bool empty = root_.children.empty();
  if (empty && !markerFound_) return true;  // nothing stored, nothing to remove
  char* real = ::realpath(hostPath_.c_str(), nullptr);
  if (!real) return false;
  const std::string path = real;
  std::free(real);
  const int in = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (in < 0) return false;
  struct stat st {};
  if (::fstat(in, &st) != 0 || !S_ISREG(st.st_mode) || !Writable(path, st)) {
    ::close(in);
    return false;
  }
  if (kImpetRecordSize + ContentSize(root_) > uint64_t(INT32_MAX)) {
    ::close(in);
    return false;
  }
  const uint64_t newOffset = (hostOffset_ + kAlign - 1) / kAlign * kAlign;
  TempFile temp(path);
  if (temp.Fd() < 0) {
    ::close(in);
    return false;
  }
  FdWriter out(temp.Fd());
  const uint64_t own = CopyHost(in, out, hostOffset_);
  ::close(in);
  if (!empty) {
    out.Zeros(size_t(newOffset - own));
    StoreWriter(out).Root(root_, now);
  }
  if (!out.Flush() || !temp.Commit(st.st_mode)) return false;
  if (empty) {
    markerFound_ = false;
    hostOffset_ = own;
  } else {
    markerFound_ = true;
    hostOffset_ = newOffset;
    root_.time = now;
  }
  return true;
}

}  // namespace ign
