#include "core/base/program_folder.h"

#include <sys/stat.h>

namespace ign {

namespace {

constexpr const char* kGuideName = "user-guide.html";

bool IsFile(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string Join(const std::string& folder, const std::string& name) {
  if (folder.empty() || folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

}  // namespace

std::string InstalledDataFolder(const std::string& exeFolder) { return Join(exeFolder, "../share/ignset"); }

std::string ProgramDataFile(const std::string& exeFolder, const std::string& name) {
  const std::string beside = Join(exeFolder, name);
  if (IsFile(beside)) return beside;
  const std::string installed = Join(InstalledDataFolder(exeFolder), name);
  return IsFile(installed) ? installed : beside;
}

std::string PresetFolder(const std::string& exeFolder, const std::string& settingsFolder) {
  if (settingsFolder.empty() || IsFile(Join(exeFolder, kGuideName))) return exeFolder;
  return settingsFolder;
}

}  // namespace ign
