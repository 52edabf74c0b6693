#include "fuzz/targets/fuzz_archive.h"
#include "fuzz/targets/fuzz_check.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "core/files/impet_shell.h"

namespace ign::fuzz {

namespace {

namespace fs = std::filesystem;

constexpr uint64_t kFixedSaveTime = 134117966450000000ull;  // 2026-01-02 03:04:05 UTC

// A folder of this process, in memory when the system offers one, removed
// at exit. The name lives on the heap for good: the exit handler runs after
// static objects are gone.
const std::string& WorkDir() {
  static const std::string* dir = [] {
    std::string base = fs::is_directory("/dev/shm") ? "/dev/shm" : fs::temp_directory_path().string();
    auto* pattern = new std::string(base + "/ign-archive-fuzz-XXXXXX");
    if (!::mkdtemp(pattern->data())) Fail("mkdtemp");
    std::atexit([] {
      std::error_code ec;
      fs::remove_all(WorkDir(), ec);
    });
    return pattern;
  }();
  return *dir;
}

void Write(const std::string& path, const std::string& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(bytes.data(), std::streamsize(bytes.size()));
}

// Path -> kind, size and bytes: what two trees must share.
void Describe(const ImpetEntry& dir, const std::string& prefix, std::map<std::string, std::string>& out) {
  for (const ImpetEntry& c : dir.children) {
    const std::string path = prefix + "\\" + c.name;
    if (out.count(path)) continue;  // names equal without regard to case: the first one is found
    out[path] = c.dir ? "D" : "F" + std::to_string(c.size) + ":" + std::to_string(c.stored) + ":" + c.data;
    if (c.dir) Describe(c, path, out);
  }
}

// A disk path argument that stays inside the working folder.
bool Confined(const std::string& path) {
  if (path.empty()) return true;
  if (path[0] == '/' || path[0] == '\\' || path.find('\0') != std::string::npos) return false;
  std::string p = DiskPath(path);
  std::stringstream parts(p);
  for (std::string part; std::getline(parts, part, '/');)
    if (part == "..") return false;
  return true;
}

}  // namespace

int ArchiveOpen(const uint8_t* data, size_t size) {
  const std::string host = WorkDir() + "/open_host";
  Write(host, std::string(reinterpret_cast<const char*>(data), size));
  CImpet store;
  const int result = store.Open(host);
  FUZZ_CHECK(result >= kImpetLoaded && result <= kImpetDamaged);
  FUZZ_CHECK(store.Loaded() == (result == kImpetLoaded || result == kImpetNoMarker));
  if (result != kImpetLoaded) {
    FUZZ_CHECK(store.Root().children.empty());
    return 0;
  }
  FUZZ_CHECK(store.HostOffset() % 256 == 0);
  FUZZ_CHECK(store.HostOffset() + 32 + store.StoreSize() <= size);
  std::map<std::string, std::string> before, after;
  Describe(store.Root(), "", before);
  for (const auto& [path, what] : before) {
    (void)what;
    const auto parts = SplitArchivePath(path);
    const ImpetEntry* e = parts ? FindEntry(store.Root(), *parts) : nullptr;
    std::string bytes;
    if (e && !e->dir && ExtractData(*e, bytes)) FUZZ_CHECK(bytes.size() == e->size);
  }
  // Saved and opened again, the tree is the same.
  FUZZ_CHECK(store.Save(kFixedSaveTime));
  CImpet again;
  const int reopened = again.Open(host);
  if (store.Root().children.empty()) {
    FUZZ_CHECK(reopened == kImpetNoMarker || reopened == kImpetLoaded);
  } else {
    FUZZ_CHECK(reopened == kImpetLoaded);
    Describe(again.Root(), "", after);
    FUZZ_CHECK(before == after);
  }
  return 0;
}

int ArchiveCommands(const uint8_t* data, size_t size) {
  // A fresh folder for every input: a host with a store and a small tree.
  const std::string dir = WorkDir() + "/commands";
  std::error_code ec;
  fs::remove_all(dir, ec);
  fs::create_directories(dir + "/tree/sub");
  fs::create_directories(dir + "/out");
  Write(dir + "/host", std::string(300, 'h'));
  Write(dir + "/tree/a.txt", "alpha");
  Write(dir + "/tree/sub/b.bin", std::string(500, 'b'));
  Write(dir + "/tree/.hidden", "x");
  const std::string cwd = fs::current_path().string();
  if (::chdir(dir.c_str()) != 0) Fail("chdir");
  CImpet store;
  std::ostringstream out;
  CImpetShell shell(store, out, [] { return kFixedSaveTime; });
  shell.Run("OPEN host");
  std::stringstream lines(std::string(reinterpret_cast<const char*>(data), size));
  int run = 0;
  for (std::string line; std::getline(lines, line) && run < 64; ++run) {
    const std::optional<ImpetCommandLine> c = ParseImpetLine(line);
    if (c) {
      bool confined = Confined(c->rest.empty() || c->rest[0] != '"' ? c->rest : "");
      for (const std::string& a : c->args) confined = confined && Confined(a);
      if (c->word == "OPEN" && !confined) continue;
      if ((c->word == "IMPORT" || c->word == "EXPORT") && !confined) continue;
    }
    shell.Run(line);
    FUZZ_CHECK(CountEntries(store.Root()) < 100000);
  }
  // Whatever the commands did, a loaded store saves and opens again.
  if (store.Loaded() && shell.Run("SAVE")) {
    CImpet again;
    FUZZ_CHECK(again.Open(store.HostPath()) != kImpetDamaged);
  }
  if (::chdir(cwd.c_str()) != 0) Fail("chdir back");
  return 0;
}

}  // namespace ign::fuzz

#ifdef IGN_FUZZ_ARCHIVE_ENTRY
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return ign::fuzz::IGN_FUZZ_ARCHIVE_ENTRY(data, size);
}
#endif
