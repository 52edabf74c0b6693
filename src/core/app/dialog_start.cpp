#include "core/app/dialog_start.h"

#include <filesystem>

namespace ign {

std::string DialogFolderOf(const std::string& remembered) {
  const size_t slash = remembered.rfind('/');
  return slash == std::string::npos ? std::string() : remembered.substr(0, slash + 1);
}

std::string DialogStartPath(const std::string& remembered, const std::string& documents) {
  // A name without a folder would start in whatever folder the program was
  // started from; a folder that has gone (or an old Windows path) starts
  // nowhere useful either.
  const std::string folder = DialogFolderOf(remembered);
  std::error_code ec;
  if (!folder.empty() && std::filesystem::is_directory(folder, ec)) return remembered;
  return documents;
}

}  // namespace ign
