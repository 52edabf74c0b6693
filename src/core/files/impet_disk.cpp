#include "core/files/impet_disk.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

#include "core/files/impet_io.h"
#include "core/files/impet_record.h"

namespace ign {

DiskRead ReadDiskFile(int folderFd, const std::string& name, bool followLink, bool hugeIsMissing,
                      std::string& bytes, timespec& mtime) {
  // O_NONBLOCK: opening a FIFO returns at once; fstat then refuses it.
  const int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW);
  const int fd = ::openat(folderFd, name.c_str(), flags);
  if (fd < 0) return DiskRead::CannotOpen;
  struct stat st {};
  DiskRead result = DiskRead::Ok;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    result = DiskRead::CannotOpen;
  } else if (uint64_t(st.st_size) > 0xFFFFFFFFull && hugeIsMissing) {
    result = DiskRead::CannotOpen;
  } else if (uint64_t(st.st_size) > kImpetFileMax) {
    result = DiskRead::TooLarge;
  } else {
    // Read to the limit plus one byte whatever the size said: the file may
    // have grown (or shrunk) since fstat.
    size_t cap = size_t(st.st_size) + 1, have = 0;
    ssize_t got = 0;
    while (true) {
      bytes.resize(cap);
      got = ReadUpTo(fd, bytes.data() + have, cap - have);
      if (got < 0) break;
      have += size_t(got);
      got = ssize_t(have);
      if (have < cap || cap > kImpetFileMax) break;
      cap = std::min<size_t>(cap * 2, kImpetFileMax + 1);
    }
    if (got < 0) {
      result = DiskRead::CannotOpen;
    } else if (size_t(got) > kImpetFileMax) {
      result = DiskRead::TooLarge;
    } else {
      bytes.resize(size_t(got));
      mtime = st.st_mtim;
    }
  }
  ::close(fd);
  if (result != DiskRead::Ok) bytes.clear();
  return result;
}

bool ListFolder(int folderFd, std::vector<DiskEntry>& out) {
  out.clear();
  const int fd = ::dup(folderFd);
  if (fd < 0) return false;
  DIR* d = ::fdopendir(fd);
  if (!d) {
    ::close(fd);
    return false;
  }
  ::rewinddir(d);
  while (const dirent* e = ::readdir(d)) {
    const std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    struct stat st {};
    if (::fstatat(folderFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
    out.push_back({name, st.st_mode});
  }
  ::closedir(d);
  std::sort(out.begin(), out.end(), [](const DiskEntry& a, const DiskEntry& b) { return a.name < b.name; });
  return true;
}

int OpenFolder(int folderFd, const std::string& name, bool followLink) {
  const int flags = O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW);
  return ::openat(folderFd, name.c_str(), flags);
}

bool WriteExportedFile(const std::string& folder, const std::string& name, const std::string& bytes,
                       const timespec& mtime) {
  const std::string target = folder + "/" + name;
  struct stat st {};
  if (::lstat(target.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) return false;
  TempFile temp(target);
  if (temp.Fd() < 0 || !WriteFull(temp.Fd(), bytes.data(), bytes.size())) return false;
  const timespec times[2] = {mtime, mtime};
  if (::futimens(temp.Fd(), times) != 0) return false;
  return temp.Commit(0644);
}

}  // namespace ign
