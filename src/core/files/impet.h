#pragma once
// CImpet: the archive store carried behind a host file (normally the
// program's own executable). Layout at the host offset, a multiple of 256:
// the 32-byte marker, the root record, then the content of the root. The
// content of a directory is its children's records followed by each child's
// content in order; a file's content is its stored bytes.
#include <cstdint>
#include <string>

#include "core/files/impet_tree.h"

namespace ign {

enum ImpetOpenResult : int {
  kImpetLoaded = 0,
  kImpetCannotOpen = 1,  // missing, unreadable or not a regular file
  kImpetNoMarker = 2,    // an empty store, to be appended at the host's end
  kImpetDamaged = 3,
};

class CImpet {
 public:
  CImpet();

  // Drops the current tree and loads the store of hostPath. After 0 or 2 the
  // store is loaded; after 1 or 3 it is empty and not loaded.
  int Open(const std::string& hostPath);
  // Writes the host anew through a temporary file renamed over it; the host
  // is old or new after any crash. Only a store that Open loaded is saved.
  // An empty tree removes the store (cut back to the host offset) when one
  // was found, and writes nothing otherwise. now becomes the root's time.
  bool Save(uint64_t now);
  // The root becomes an empty directory; whether the store is loaded stays.
  void Clear();

  bool Loaded() const { return loaded_; }
  bool MarkerFound() const { return markerFound_; }
  const std::string& HostPath() const { return hostPath_; }
  uint64_t HostOffset() const { return hostOffset_; }
  ImpetEntry& Root() { return root_; }
  const ImpetEntry& Root() const { return root_; }
  // The store's size after the marker: 79 bytes per record (the root's
  // included) and the stored bytes of every file.
  uint64_t StoreSize() const;

  // Entries touched by the last command.
  int touched = 0;

 private:
  void Discard();
  int Load(int fd, uint64_t fileLength);

  std::string hostPath_;
  uint64_t hostOffset_ = 0;
  bool loaded_ = false;
  bool markerFound_ = false;
  ImpetEntry root_;
};

}  // namespace ign
