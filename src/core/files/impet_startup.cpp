#include "core/files/impet_startup.h"

#include <cstdio>

#include "core/files/impet_shell.h"

namespace ign {

int StartArchiveStore(CImpet& store, const std::string& programPath, std::ostream& out, int version) {
  const int result = store.Open(programPath);
  if (!store.Loaded() || !store.Root().children.empty()) return result;
  char folder[32];
  std::snprintf(folder, sizeof folder, "\\NEW_%i", version);
  CImpetShell shell(store, out);
  shell.Run(std::string("IMPORT ..\\IMPET") + folder + " \"\"");
  return result;
}

}  // namespace ign
