#include "ui/app/archive_startup.h"

#include <filesystem>
#include <iostream>

#include "core/files/impet_startup.h"

namespace ign {

void OpenArchiveStore() {
  // One store for the whole run; nothing else reads it afterwards.
  static CImpet store;
  std::error_code ec;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) self = "/proc/self/exe";
  StartArchiveStore(store, self.string(), std::cout);
}

}  // namespace ign
