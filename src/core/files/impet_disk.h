#pragma once
// The disk side of IMPORT and EXPORT: regular files only, never blocking on
// a FIFO, never following a symlink inside an imported folder, and writes
// that land in place by rename.
#include <sys/stat.h>

#include <ctime>
#include <string>
#include <vector>

namespace ign {

enum class DiskRead { Ok, CannotOpen, TooLarge };

// Reads a regular file opened relative to folderFd (AT_FDCWD for a path).
// followLink: a symlink named directly is followed; inside a folder it is not.
// At most 5 MiB + 1 bytes are read, whatever the size said. A size beyond
// 32 bits counts as CannotOpen when hugeIsMissing is set.
DiskRead ReadDiskFile(int folderFd, const std::string& name, bool followLink, bool hugeIsMissing,
                      std::string& bytes, timespec& mtime);

struct DiskEntry {
  std::string name;
  mode_t mode = 0;  // from lstat: a symlink stays a symlink
};
// The entries of an open folder sorted by name, "." and ".." left out.
bool ListFolder(int folderFd, std::vector<DiskEntry>& out);
// Opens a folder for reading its entries; a symlink is refused unless followLink.
int OpenFolder(int folderFd, const std::string& name, bool followLink);

// Writes bytes as folder/name through a temporary file renamed into place,
// with the given modification time. Refused when name exists and is not a
// regular file (a symlink is never written through).
bool WriteExportedFile(const std::string& folder, const std::string& name, const std::string& bytes,
                       const timespec& mtime);

}  // namespace ign
