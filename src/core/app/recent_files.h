#pragma once
// The recent-file list: up to ten names, newest first. Entry 0 is the current
// file; the File menu shows entries 1..9.
#include <string>
#include <vector>

namespace ign {

class CRecentFiles {
 public:
  static constexpr int kMaxEntries = 10;
  static constexpr int kMenuItems = 9;

  // A real name first removes an empty entry; a known name moves to the front,
  // a new one is inserted there and the oldest falls off a full list. An empty
  // name (File New) puts an empty entry at the front.
  void Add(const std::string& name);
  // Removes the first entry equal to name.
  void Remove(const std::string& name);
  // Takes the entries as read from the settings (at most ten are kept).
  void Assign(std::vector<std::string> entries);

  int Count() const { return int(entries_.size()); }
  const std::string& Entry(int i) const { return entries_.at(size_t(i)); }
  const std::vector<std::string>& Entries() const { return entries_; }

  // Menu state of item i (1..9) and of the separator below the items.
  bool ItemVisible(int i) const { return i >= 1 && i <= kMenuItems && i < Count(); }
  bool SeparatorVisible() const { return Count() > 1; }
  // "%i %s": the index and the file name without folder and extension.
  static std::string Caption(int index, const std::string& name);

 private:
  std::vector<std::string> entries_;
};

}  // namespace ign
