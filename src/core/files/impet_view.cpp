// CImpetShell: LIST, FIND and CAT, what a store holds seen without extracting it.
#include <cinttypes>
#include <cstdio>

#include "core/files/impet_shell.h"

namespace ign {

namespace {

std::string TimeText(uint64_t fileTime) {
  const timespec t = PosixFromFileTime(fileTime);
  tm parts{};
  char text[32] = "?";
  if (gmtime_r(&t.tv_sec, &parts)) std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
  return text;
}

char Fold(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

// "*" any run of characters, "?" one character, the rest without regard to ASCII case.
bool Matches(std::string_view pattern, std::string_view name) {
  size_t p = 0, n = 0, star = std::string_view::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || Fold(pattern[p]) == Fold(name[n]))) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

std::string ListLine(const std::string& path, const ImpetEntry& e) {
  char line[64];
  if (e.dir) {
    std::snprintf(line, sizeof line, " %10s %10s  ", "<dir>", "");
  } else {
    std::snprintf(line, sizeof line, " %10" PRIu32 " %10zu  ", e.size, e.StoredBytes());
  }
  return path + line + TimeText(e.time);
}

}  // namespace

bool CImpetShell::List(const std::string& archivePath) {
  const auto parts = ArchiveParts(archivePath);
  const ImpetEntry* start = parts ? FindEntry(store_.Root(), *parts) : nullptr;
  if (!start) return false;
  std::string prefix;
  for (const std::string& p : *parts) prefix += "\\" + FromStoreName(p);
  int listed = 0;
  struct Walk {
    std::ostream& out;
    int& listed;
    void Entry(const std::string& path, const ImpetEntry& e) {
      out << ListLine(e.dir ? path + "\\" : path, e) << '\n';
      ++listed;
      for (const ImpetEntry& c : e.children) Entry(path + "\\" + FromStoreName(c.name), c);
    }
  } walk{out_, listed};
  if (start->dir && parts->empty()) {
    for (const ImpetEntry& c : start->children) walk.Entry("\\" + FromStoreName(c.name), c);
  } else {
    walk.Entry(prefix, *start);
  }
  Result(" (" + std::to_string(listed) + " entries listed)");
  return true;
}

bool CImpetShell::Find(const std::string& pattern) {
  const std::optional<std::string> cp = ToStoreName(pattern);
  if (!cp) return false;
  int found = 0;
  struct Walk {
    std::ostream& out;
    const std::string& pattern;
    int& found;
    void Dir(const std::string& path, const ImpetEntry& dir) {
      for (const ImpetEntry& c : dir.children) {
        const std::string p = path + "\\" + FromStoreName(c.name);
        if (Matches(pattern, c.name)) {
          out << p << '\n';
          ++found;
        }
        if (c.dir) Dir(p, c);
      }
    }
  } walk{out_, *cp, found};
  walk.Dir("", store_.Root());
  Result(" (" + std::to_string(found) + " found)");
  return true;
}

bool CImpetShell::Cat(const std::string& archivePath) {
  const auto parts = ArchiveParts(archivePath);
  const ImpetEntry* e = parts ? FindEntry(store_.Root(), *parts) : nullptr;
  std::string bytes;
  if (!e || e->dir || !ExtractData(*e, bytes)) return false;
  out_ << bytes;
  if (!bytes.empty() && bytes.back() != '\n') out_ << '\n';
  Result(" (" + std::to_string(bytes.size()) + " bytes shown)");
  return true;
}

}  // namespace ign
