// CImpetShell: IMPORT (a folder recursively or one file) and EXPORT.
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "core/files/impet_disk.h"
#include "core/files/impet_shell.h"

namespace ign {

namespace {

using namespace impet_error;

// Upper-case ASCII: the key under which one import remembers a name.
std::string Folded(std::string_view name) {
  std::string s(name);
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  return s;
}

// The store name of a disk name; nothing when Windows-1250 cannot hold it or
// it holds the archive separator.
std::optional<std::string> StoreNameOf(const std::string& diskName) {
  if (diskName.find('\\') != std::string::npos) return std::nullopt;
  std::optional<std::string> n = ToStoreName(diskName);
  if (!n || n->empty()) return std::nullopt;
  return CutName(*n);
}

// Only a plain name may be written into the export folder.
bool PlainName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (unsigned char c : name)
    if (c < 0x20 || c == 0x7F || c == '/') return false;
  return true;
}

}  // namespace

bool CImpetShell::Import(const std::string& source, const std::string& archiveDir) {
  const auto parts = ArchiveParts(archiveDir);
  ImpetEntry* into = parts ? FindEntry(store_.Root(), *parts) : nullptr;
  if (!into || !into->dir) return false;
  const std::string path = DiskPath(source);
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
    return ImportFolder(*into, int(parts->size()), path);
  // One file, stored in the archive directory under its own name.
  const std::string name = std::filesystem::path(path).filename().string();
  const auto storeName = StoreNameOf(name);
  if (!storeName) {
    Error(kBadName, path);
    return false;
  }
  if (!into->Child(*storeName) && !CanAdd(*into, int(parts->size()) + 1, path)) return false;
  if (!AddFile(*into, *storeName, AT_FDCWD, path, path, true)) return false;
  Result(" (1 file added)");
  return true;
}

bool CImpetShell::ImportFolder(ImpetEntry& into, int depth, const std::string& source) {
  // The folder keeps the name of the source's last part ("." and ".." resolved).
  std::filesystem::path p = std::filesystem::path(source).lexically_normal();
  if (p.has_filename() == false) p = p.parent_path();
  std::string name = p.filename().string();
  if (name.empty() || name == "." || name == "..") {
    std::error_code ec;
    name = std::filesystem::canonical(source, ec).filename().string();
  }
  const auto storeName = StoreNameOf(name);
  if (!storeName) {
    Error(kBadName, source);
    return false;
  }
  const int fd = OpenFolder(AT_FDCWD, source, true);
  if (fd < 0) {
    Error(kCannotOpen, source);
    return false;
  }
  ImpetEntry* dir = into.Child(*storeName);
  bool ok = true;
  if (dir && !dir->dir) {
    Error(kDirOverFile, FromStoreName(*storeName));
    ok = false;
  } else if (!dir) {
    if (CanAdd(into, depth + 1, source)) {
      struct stat st {};
      ::fstat(fd, &st);
      into.children.push_back(ImpetEntry{});
      dir = &into.children.back();
      dir->name = *storeName;
      dir->dir = true;
      dir->time = FileTimeFromPosix(st.st_mtim);
    } else {
      ok = false;
    }
  }
  if (ok) {
    const size_t before = errors_.size();
    WalkFolder(*dir, depth + 1, fd, source);
    ok = errors_.size() == before;
  }
  ::close(fd);
  if (!ok) return false;
  Result(" (" + std::to_string(store_.touched) + " files added)");
  return true;
}

void CImpetShell::WalkFolder(ImpetEntry& dir, int depth, int folderFd, const std::string& diskPath) {
  std::vector<DiskEntry> entries;
  if (!ListFolder(folderFd, entries)) {
    Error(kCannotOpen, diskPath);
    return;
  }
  std::set<std::string> taken;  // names this import gave in this directory
  for (const DiskEntry& d : entries) {
    if (d.name[0] == '.') continue;
    const std::string path = diskPath + "/" + d.name;
    const auto storeName = StoreNameOf(d.name);
    if (!storeName) {
      Error(kBadName, path);
      continue;
    }
    // Two disk names that become one store name: the first one stays.
    if (!taken.insert(Folded(*storeName)).second) {
      Error(kNameUsed, path);
      continue;
    }
    if (S_ISREG(d.mode)) {
      if (!dir.Child(*storeName) && !CanAdd(dir, depth + 1, path)) continue;
      AddFile(dir, *storeName, folderFd, d.name, path, false);
      continue;
    }
    if (!S_ISDIR(d.mode)) {  // symlinks, FIFOs, sockets, devices
      Error(kCannotOpen, path);
      continue;
    }
    ImpetEntry* sub = dir.Child(*storeName);
    if (sub && !sub->dir) {
      Error(kDirOverFile, FromStoreName(*storeName));
      continue;
    }
    const int fd = OpenFolder(folderFd, d.name, false);
    if (fd < 0) {
      Error(kCannotOpen, path);
      continue;
    }
    if (!sub) {
      if (!CanAdd(dir, depth + 1, path)) {
        ::close(fd);
        continue;
      }
      struct stat st {};
      ::fstat(fd, &st);
      dir.children.push_back(ImpetEntry{});
      sub = &dir.children.back();
      sub->name = *storeName;
      sub->dir = true;
      sub->time = FileTimeFromPosix(st.st_mtim);
    }
    WalkFolder(*sub, depth + 1, fd, path);
    ::close(fd);
  }
}

bool CImpetShell::AddFile(ImpetEntry& dir, const std::string& name, int folderFd, const std::string& fileName,
                          const std::string& diskPath, bool named) {
  ImpetEntry* e = dir.Child(name);
  if (e && e->dir) {
    Error(kFileOverDir, FromStoreName(name));
    return false;
  }
  std::string bytes;
  timespec mtime{};
  switch (ReadDiskFile(folderFd, fileName, named, named, bytes, mtime)) {
    case DiskRead::CannotOpen: Error(kCannotOpen, diskPath); return false;
    case DiskRead::TooLarge: Error(kTooLarge, diskPath); return false;
    case DiskRead::Ok: break;
  }
  if (!e) {
    dir.children.push_back(ImpetEntry{});
    e = &dir.children.back();
    e->name = name;
  }
  SetFileData(*e, bytes);
  e->time = FileTimeFromPosix(mtime);
  ++store_.touched;
  return true;
}

bool CImpetShell::Export(const std::string& archivePath, const std::string& folder) {
  const auto parts = ArchiveParts(archivePath);
  const ImpetEntry* e = parts ? FindEntry(store_.Root(), *parts) : nullptr;
  if (!e || e->dir) return false;
  const std::string name = FromStoreName(e->name);
  std::string bytes;
  if (!PlainName(name) || !ExtractData(*e, bytes)) return false;
  if (!WriteExportedFile(DiskPath(folder), name, bytes, PosixFromFileTime(e->time))) return false;
  store_.touched = 1;
  Result(" (1 files extracted)");
  return true;
}

}  // namespace ign
