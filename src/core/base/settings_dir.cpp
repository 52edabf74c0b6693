#include "core/base/settings_dir.h"

#include <filesystem>
#include <system_error>

namespace ign {

std::string SettingsFolderFrom(const char* settingsDirOverride, const char* xdgDataHome, const char* home) {
  auto withSlash = [](std::string s) {
    if (!s.empty() && s.back() != '/') s += '/';
    return s;
  };
  if (settingsDirOverride && *settingsDirOverride) return withSlash(settingsDirOverride);
  std::string base;
  // A relative XDG_DATA_HOME is invalid and is ignored.
  if (xdgDataHome && xdgDataHome[0] == '/')
    base = xdgDataHome;
  else if (home && *home)
    base = std::string(home) + "/.local/share";
  else
    return {};
  return withSlash(base) + "Kardomex/" + kProductCode + "/" + std::to_string(kProgramVersion) + "/";
}

std::string StateFolderFrom(const char* xdgStateHome, const char* home) {
  if (xdgStateHome && xdgStateHome[0] == '/') {
    std::string base = xdgStateHome;
    return base.back() == '/' ? base : base + '/';
  }
  if (home && *home) return std::string(home) + "/.local/state/";
  return {};
}

std::string UsbPortMapFile(const RunConfig& config) {
  const std::string folder =
      SettingsFolderFrom(config.settingsDir.c_str(), config.xdgDataHome.c_str(), config.home.c_str());
  return folder.empty() ? folder : folder + "ports.ini";
}

SettingsPaths ComputeSettingsPaths(const RunConfig& config) {
  SettingsPaths p;
  p.folder = SettingsFolderFrom(config.settingsDir.c_str(), config.xdgDataHome.c_str(), config.home.c_str());
  if (!p.folder.empty()) {
    std::error_code ec;
    std::filesystem::create_directories(p.folder, ec);
    if (ec || !std::filesystem::is_directory(p.folder, ec)) p.folder.clear();
  }
  p.appIni = p.folder + "application.ini";
  p.defaultIni = p.folder + "default.ini";
  p.monitorIni = p.folder + "monitor.ini";
  return p;
}

}  // namespace ign
