#pragma once
// The update check's own keys in "application.ini" (section FORM_HLAV):
//   UPDATECHECK      1 check at start (default), 0 not
//   UPDATEDISMISSED  the update number the user asked not to be reminded of
// The window's settings writer keeps keys it does not know, and older
// versions skip these.
#include <string>

namespace ign {

constexpr const char* kUpdateCheckKey = "UPDATECHECK";
constexpr const char* kUpdateDismissedKey = "UPDATEDISMISSED";

struct UpdateSettings {
  bool checkAtStart = true;
  int dismissed = 0;
};

UpdateSettings LoadUpdateSettings(const std::string& appIni);
// Writes both keys, keeping everything else in the file.
bool SaveUpdateSettings(const std::string& appIni, const UpdateSettings& s);

}  // namespace ign
