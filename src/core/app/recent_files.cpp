#include "core/app/recent_files.h"

#include <algorithm>

namespace ign {

void CRecentFiles::Add(const std::string& name) {
  if (!name.empty()) {
    auto empty = std::find(entries_.begin(), entries_.end(), std::string());
    if (empty != entries_.end()) entries_.erase(empty);
  }
  auto known = std::find(entries_.begin(), entries_.end(), name);
  if (known != entries_.end()) {
    std::rotate(entries_.begin(), known, known + 1);
    return;
  }
  entries_.insert(entries_.begin(), name);
  if (entries_.size() > size_t(kMaxEntries)) entries_.resize(kMaxEntries);
}

void CRecentFiles::Remove(const std::string& name) {
  auto it = std::find(entries_.begin(), entries_.end(), name);
  if (it != entries_.end()) entries_.erase(it);
}

void CRecentFiles::Assign(std::vector<std::string> entries) {
  if (entries.size() > size_t(kMaxEntries)) entries.resize(kMaxEntries);
  entries_ = std::move(entries);
}

std::string CRecentFiles::Caption(int index, const std::string& name) {
  size_t slash = name.find_last_of("\\/");
  std::string base = slash == std::string::npos ? name : name.substr(slash + 1);
  size_t dot = base.rfind('.');
  if (dot != std::string::npos) base.resize(dot);
  return std::to_string(index) + " " + base;
}

}  // namespace ign
