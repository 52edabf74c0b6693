#include "core/files/impet_startup.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

#include "core/files/impet_shell.h"

namespace ign {

int StartArchiveStore(CImpet& store, const std::string& programPath, std::ostream& out, int version) {
  const int result = store.Open(programPath);
  if (!store.Loaded() || !store.Root().children.empty()) return result;
  char folder[32];
  std::snprintf(folder, sizeof folder, "\\NEW_%i", version);
  const std::string source = std::string("..\\IMPET") + folder;
  // Most installations have no such folder: nothing to import, nothing to say.
  // One that is there but cannot be read is reported by the import.
  struct stat st {};
  if (::stat(DiskPath(source).c_str(), &st) != 0 && (errno == ENOENT || errno == ENOTDIR)) return result;
  CImpetShell shell(store, out);
  shell.Run("IMPORT " + source + " \"\"");
  return result;
}

}  // namespace ign
