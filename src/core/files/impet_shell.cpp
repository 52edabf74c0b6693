// CImpetShell: reading a line, the store-wide commands and the tree edits.
#include "core/files/impet_shell.h"

#include <algorithm>

namespace ign {

namespace {

using namespace impet_error;

bool Arity(const ImpetCommandLine& c, size_t n) { return c.args.size() == n; }

// Whether parts names an entry inside (or equal to) the entry at prefix.
bool Within(const std::vector<std::string>& parts, const std::vector<std::string>& prefix) {
  if (parts.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (!SameName(parts[i], prefix[i])) return false;
  return true;
}

}  // namespace

CImpetShell::CImpetShell(CImpet& store, std::ostream& out, ImpetClock clock)
    : store_(store), out_(out), clock_(std::move(clock)) {}

bool CImpetShell::Run(std::string_view line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  const std::optional<ImpetCommandLine> c = ParseImpetLine(line);
  if (c && c->word.empty()) return true;
  // The echo reaches the reader before the command runs (a long SAVE shows which line it is on).
  out_ << line << '\n';
  out_.flush();
  errors_.clear();
  store_.touched = 0;
  const bool ok = c && Dispatch(*c);
  if (!ok) Result(" (error)");
  for (const std::string& e : errors_) out_ << e << '\n';
  out_.flush();
  return ok;
}

bool CImpetShell::Dispatch(const ImpetCommandLine& c) {
  const std::string& w = c.word;
  if (w == "OPEN") return Open(c);
  if (w == "CLEAR") {
    if (!Arity(c, 0)) return false;
    store_.Clear();
    Result(" (cleared)");
    return true;
  }
  if (!store_.Loaded()) return false;
  if (w == "SAVE") return Arity(c, 0) && Save();
  if (w == "IMPORT") return Arity(c, 2) && Import(c.args[0], c.args[1]);
  if (w == "EXPORT") return Arity(c, 2) && Export(c.args[0], c.args[1]);
  if (w == "SET") return Arity(c, 2) && Set(c.args[0], c.args[1]);
  if (w == "MKDIR") return Arity(c, 1) && Mkdir(c.args[0]);
  if (w == "DELETE") return Arity(c, 1) && Delete(c.args[0]);
  if (w == "RENAME") return Arity(c, 2) && Rename(c.args[0], c.args[1]);
  if (w == "LIST") return c.args.size() <= 1 && List(c.args.empty() ? std::string() : c.args[0]);
  if (w == "FIND") return Arity(c, 1) && Find(c.args[0]);
  if (w == "CAT") return Arity(c, 1) && Cat(c.args[0]);
  return false;
}

void CImpetShell::Result(const std::string& text) { out_ << text << '\n'; }

void CImpetShell::Error(std::string_view text, std::string_view subject) {
  errors_.push_back(std::string(text) + std::string(subject));
}

ImpetEntry* CImpetShell::Parent(const std::vector<std::string>& parts) {
  if (parts.empty()) return nullptr;
  ImpetEntry* p = FindEntry(store_.Root(), std::vector<std::string>(parts.begin(), parts.end() - 1));
  return p && p->dir ? p : nullptr;
}

bool CImpetShell::CanAdd(const ImpetEntry& dir, int childDepth, std::string_view what) {
  if (dir.children.size() >= kImpetCountMask) {
    Error(kTooMany, what);
    return false;
  }
  if (childDepth > kImpetMaxDepth) {
    Error(kTooDeep, what);
    return false;
  }
  return true;
}

// ---- store-wide commands ----------------------------------------------------

bool CImpetShell::Open(const ImpetCommandLine& c) {
  // The host path is the rest of the line; a quoted path loses its quotes.
  std::string path = c.rest;
  if (!path.empty() && path.front() == '"') {
    if (!Arity(c, 1)) return false;
    path = c.args[0];
  }
  if (path.empty()) return false;
  const int result = store_.Open(DiskPath(path));
  if (result != kImpetLoaded && result != kImpetNoMarker) return false;
  Result(" (opened)");
  return true;
}

bool CImpetShell::Save() {
  const uint64_t bytes = store_.StoreSize();
  const size_t items = CountEntries(store_.Root());
  if (!store_.Save(clock_())) return false;
  store_.touched = int(items);
  Result(" (stored " + std::to_string(bytes) + " bytes - " + std::to_string(items) + " items)");
  return true;
}

// ---- tree edits ---------------------------------------------------------------

bool CImpetShell::Set(const std::string& archivePath, const std::string& text) {
  const auto parts = ArchiveParts(archivePath);
  if (!parts || parts->empty()) return false;
  ImpetEntry* dir = Parent(*parts);
  if (!dir) return false;
  if (text.size() > kImpetFileMax) {
    Error(kTooLarge, archivePath);
    return false;
  }
  ImpetEntry* e = dir->Child(parts->back());
  if (e && e->dir) {
    Error(kFileOverDir, FromStoreName(parts->back()));
    return false;
  }
  if (!e) {
    if (!CanAdd(*dir, int(parts->size()), archivePath)) return false;
    dir->children.push_back(ImpetEntry{});
    e = &dir->children.back();
    e->name = parts->back();
  }
  e->size = uint32_t(text.size());
  e->stored = 0;
  e->data = text;
  e->time = clock_();
  store_.touched = 1;
  Result(" (file rewritten)");
  return true;
}

bool CImpetShell::Mkdir(const std::string& archivePath) {
  const auto parts = ArchiveParts(archivePath);
  if (!parts || parts->empty()) return false;
  ImpetEntry* dir = Parent(*parts);
  if (!dir) return false;
  if (const ImpetEntry* e = dir->Child(parts->back())) {
    if (!e->dir) {
      Error(kDirOverFile, FromStoreName(parts->back()));
      return false;
    }
  } else {
    if (!CanAdd(*dir, int(parts->size()), archivePath)) return false;
    ImpetEntry d;
    d.name = parts->back();
    d.dir = true;
    d.time = clock_();
    dir->children.push_back(std::move(d));
    store_.touched = 1;
  }
  Result(" (directory created)");
  return true;
}

bool CImpetShell::Delete(const std::string& archivePath) {
  const auto parts = ArchiveParts(archivePath);
  if (!parts || parts->empty()) return false;
  ImpetEntry* dir = Parent(*parts);
  const ImpetEntry* e = dir ? dir->Child(parts->back()) : nullptr;
  if (!e) return false;
  dir->children.erase(dir->children.begin() + (e - dir->children.data()));
  store_.touched = 1;
  Result(" (1 files deleted)");
  return true;
}

bool CImpetShell::Rename(const std::string& from, const std::string& to) {
  const auto src = ArchiveParts(from), dst = ArchiveParts(to);
  if (!src || !dst || src->empty() || dst->empty()) return false;
  ImpetEntry* srcDir = Parent(*src);
  ImpetEntry* e = srcDir ? srcDir->Child(src->back()) : nullptr;
  ImpetEntry* dstDir = Parent(*dst);
  if (!e || !dstDir) return false;
  // A directory cannot move into its own subtree.
  const std::vector<std::string> dstFolder(dst->begin(), dst->end() - 1);
  if (e->dir && Within(dstFolder, *src)) return false;
  const ImpetEntry* clash = dstDir->Child(dst->back());
  if (clash && clash != e) {
    Error(kNameUsed, FromStoreName(dst->back()));
    return false;
  }
  store_.touched = 1;
  if (dstDir == srcDir) {
    e->name = dst->back();  // stays in its place
    Result(" (1 file renamed)");
    return true;
  }
  if (!CanAdd(*dstDir, int(dst->size()), to)) return false;
  if (int(dst->size()) + Height(*e) > kImpetMaxDepth) {
    Error(kTooDeep, to);
    return false;
  }
  ImpetEntry moved = std::move(*e);
  srcDir->children.erase(srcDir->children.begin() + (e - srcDir->children.data()));
  moved.name = dst->back();
  // The erase may have moved the target directory in memory: find it again.
  dstDir = FindEntry(store_.Root(), dstFolder);
  if (!dstDir) return false;
  dstDir->children.push_back(std::move(moved));
  Result(" (1 file renamed)");
  return true;
}

}  // namespace ign
