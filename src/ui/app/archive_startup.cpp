#include "ui/app/archive_startup.h"

#include <filesystem>
#include <sstream>

#include "core/files/impet_startup.h"

namespace ign {

void OpenArchiveStore() {
  // One store for the whole run; nothing else reads it afterwards.
  static CImpet store;
  std::error_code ec;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) self = "/proc/self/exe";
  // The start-up import's transcript is for nobody: its result is not used,
  // and a missing import folder would greet every start with an error line.
  std::ostringstream transcript;
  StartArchiveStore(store, self.string(), transcript);
}

}  // namespace ign
