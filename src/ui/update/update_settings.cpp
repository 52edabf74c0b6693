#include "ui/update/update_settings.h"

#include "core/app/app_settings.h"
#include "core/app/ini_file.h"

namespace ign {

UpdateSettings LoadUpdateSettings(const std::string& appIni) {
  CIniFile ini;
  ini.Load(appIni);
  UpdateSettings s;
  s.checkAtStart = ini.ReadInteger(kAppSection, kUpdateCheckKey, 1) != 0;
  s.dismissed = ini.ReadInteger(kAppSection, kUpdateDismissedKey, 0);
  return s;
}

bool SaveUpdateSettings(const std::string& appIni, const UpdateSettings& s) {
  CIniFile ini;
  ini.Load(appIni);
  ini.WriteInteger(kAppSection, kUpdateCheckKey, s.checkAtStart ? 1 : 0);
  ini.WriteInteger(kAppSection, kUpdateDismissedKey, s.dismissed);
  return ini.Save(appIni);
}

}  // namespace ign
