#include "cli/search_state.h"

#include <filesystem>
#include <system_error>

#include "core/base/atomic_file.h"

namespace ign::cli {

namespace {
constexpr const char* kHeading = "# ignctl: the protocol that last found a unit on each port\n";
constexpr std::string_view kRowsKey = "rows=";
// Far more than 255 entries need: anything longer is not ours.
constexpr std::uintmax_t kMaxStateBytes = 16384;
}  // namespace

std::string LoadSearchState(const std::string& path) {
  if (path.empty()) return {};
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  std::string bytes;
  if (ec || size > kMaxStateBytes || !ReadWholeFile(path, bytes)) return {};
  for (size_t at = 0; at < bytes.size();) {
    const size_t end = std::min(bytes.find('\n', at), bytes.size());
    const std::string_view line(bytes.data() + at, end - at);
    if (line.starts_with(kRowsKey)) return std::string(line.substr(kRowsKey.size()));
    at = end + 1;
  }
  return {};
}

bool SaveSearchState(const std::string& path, const std::string& rows) {
  if (path.empty()) return false;
  std::error_code ec;
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  if (!folder.empty()) std::filesystem::create_directories(folder, ec);
  return WriteFileAtomically(path, std::string(kHeading) + std::string(kRowsKey) + rows + "\n");
}

}  // namespace ign::cli
