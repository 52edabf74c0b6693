#pragma once
// Where the application settings live: the per-user data folder
// ($XDG_DATA_HOME, default ~/.local/share) followed by Kardomex/QUNTAR6/108/.
// IGN_SETTINGS_DIR, when set and not empty, names the folder itself.
#include <string>
#include "core/base/run_config.h"

namespace ign {

constexpr const char* kProductCode = "QUNTAR6";
constexpr int kProgramVersion = 108;

struct SettingsPaths {
  std::string folder;      // ends with '/', or empty: the current folder
  std::string appIni;      // folder + "application.ini"
  std::string defaultIni;  // folder + "default.ini"
  std::string monitorIni;  // folder + "monitor.ini" (prepared, not used)
};

// Pure part: the folder from the three environment values (each may be null).
std::string SettingsFolderFrom(const char* settingsDirOverride, const char* xdgDataHome, const char* home);

// The per-user state folder ($XDG_STATE_HOME, default ~/.local/state), ending
// with '/', from the two environment values (each may be null); empty when
// neither gives one. A relative XDG_STATE_HOME is ignored.
std::string StateFolderFrom(const char* xdgStateHome, const char* home);

// "ports.ini" in the settings folder: the numbers USB serial adapters keep,
// shared by ignset and ignctl. Empty when there is no settings folder. The
// folder is not created here.
std::string UsbPortMapFile(const RunConfig& config);

// Computes the paths from the environment and creates the missing folder levels.
// When the folder cannot be determined or created the folder part is empty.
SettingsPaths ComputeSettingsPaths(const RunConfig& config);

}  // namespace ign
