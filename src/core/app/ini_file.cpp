#include "core/app/ini_file.h"

#include <climits>
#include <cstdint>

#include "core/base/atomic_file.h"

namespace ign {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

}  // namespace

void CIniFile::Parse(std::string_view text) {
  sections_.clear();
  Section* current = nullptr;
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    line = Trim(line);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      size_t close = line.find(']');
      if (close == std::string_view::npos) continue;  // a cut-off section line
      current = &SectionFor(Trim(line.substr(1, close - 1)));
      continue;
    }
    size_t eq = line.find('=');
    if (eq == std::string_view::npos || current == nullptr) continue;
    std::string_view key = Trim(line.substr(0, eq));
    if (key.empty()) continue;
    std::string_view value = Trim(line.substr(eq + 1));
    bool known = false;
    for (Entry& e : current->entries) {
      if (SameName(e.key, key)) {  // the first occurrence wins, as on reading
        known = true;
        break;
      }
    }
    if (!known) current->entries.push_back({std::string(key), std::string(value)});
  }
}

bool CIniFile::Load(const std::string& path) {
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) {
    sections_.clear();
    return false;
  }
  Parse(bytes);
  return true;
}

std::string CIniFile::Serialise() const {
  std::string out;
  for (size_t i = 0; i < sections_.size(); ++i) {
    if (i > 0) out += "\r\n";
    out += "[" + sections_[i].name + "]\r\n";
    for (const Entry& e : sections_[i].entries) out += e.key + "=" + e.value + "\r\n";
  }
  return out;
}

bool CIniFile::Save(const std::string& path) const { return WriteFileAtomically(path, Serialise()); }

const CIniFile::Entry* CIniFile::Find(std::string_view section, std::string_view key) const {
  for (const Section& s : sections_) {
    if (!SameName(s.name, section)) continue;
    for (const Entry& e : s.entries)
      if (SameName(e.key, key)) return &e;
  }
  return nullptr;
}

CIniFile::Section& CIniFile::SectionFor(std::string_view section) {
  for (Section& s : sections_)
    if (SameName(s.name, section)) return s;
  sections_.push_back({std::string(section), {}});
  return sections_.back();
}

bool CIniFile::HasKey(std::string_view section, std::string_view key) const {
  return Find(section, key) != nullptr;
}

std::string CIniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
  const Entry* e = Find(section, key);
  return std::string(e ? std::string_view(e->value) : def);
}

int CIniFile::ReadInteger(std::string_view section, std::string_view key, int def) const {
  const Entry* e = Find(section, key);
  if (!e) return def;
  std::string_view v = e->value;
  size_t i = 0;
  bool negative = false;
  if (i < v.size() && (v[i] == '-' || v[i] == '+')) negative = v[i++] == '-';
  if (i >= v.size() || v[i] < '0' || v[i] > '9') return def;
  int64_t n = 0;
  for (; i < v.size() && v[i] >= '0' && v[i] <= '9'; ++i) {
    n = n * 10 + (v[i] - '0');
    if (n > int64_t(INT_MAX) + 1) n = int64_t(INT_MAX) + 1;  // saturate instead of overflowing
  }
  if (negative) n = -n;
  if (n > INT_MAX) n = INT_MAX;
  return int(n);
}

void CIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  // Line breaks inside a value would split it into other lines of the file.
  std::string clean;
  for (char c : value) clean += (c == '\r' || c == '\n') ? ' ' : c;
  Section& s = SectionFor(section);
  for (Entry& e : s.entries) {
    if (SameName(e.key, key)) {
      e.value = clean;
      return;
    }
  }
  s.entries.push_back({std::string(key), clean});
}

void CIniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void CIniFile::DeleteKey(std::string_view section, std::string_view key) {
  for (Section& s : sections_) {
    if (!SameName(s.name, section)) continue;
    for (size_t i = 0; i < s.entries.size(); ++i) {
      if (SameName(s.entries[i].key, key)) {
        s.entries.erase(s.entries.begin() + long(i));
        return;
      }
    }
  }
}

}  // namespace ign
