#pragma once
// "application.ini", section FORM_HLAV: the window placement, the port choice,
// the language, the last file and folder, the active page, the player panel,
// the new-installation flag and the recent-file list.
#include <string>
#include <vector>

#include "core/app/ini_file.h"

namespace ign {

constexpr const char* kAppSection = "FORM_HLAV";

struct AppSettings {
  int left = 0, top = 0, height = 0, width = 0;
  int comPort = 0;      // -1 search off, 0 automatic, n > 0 only port n
  int comPortAuto = 1;  // next port of the automatic search, 1..255
  std::string comRows;  // the search row that last connected on each port (CSearchMemory text)
  int language = 0;     // as stored: 0 English, 1 German, 3 Czech
  std::string file;     // UTF-8
  std::string iniFileDir;
  int activePage = 0;
  int newInstal = 1;
  int monitorPlayer = 0;
  std::vector<std::string> history;  // the recent-file list, newest first
};

// File names in the file are 8-bit: a UTF-16 unit below 0x100 is its own byte
// (a backslash doubled), any other is "\x" and four upper-case hex digits.
std::string EscapeIniName(const std::string& utf8);
// The reverse. A text that looks like an old unescaped path ("\\server..." or
// "C:\..." with no doubled backslash) is 8-bit Windows-1250 taken as it stands.
// A broken escape ends the name where it begins.
std::string UnescapeIniName(const std::string& stored);
bool LooksLikeOldPath(const std::string& stored);

// Reads the keys over s, whose fields hold the current values: a missing key
// keeps the current value, except ComPort (0), File (empty), IniFileDir (the
// File read), NEWINSTAL (1), MONITORPLAYER (0) and the recent list (one empty
// entry when MenuHistory00 is missing).
void ReadAppSettingsFrom(const CIniFile& ini, AppSettings& s);
// Writes every key in order; MenuHistory keys past the list are removed, so a
// shortened list stays short.
void WriteAppSettingsTo(CIniFile& ini, const AppSettings& s);

// Whole-file helpers; Save keeps keys and sections it does not know.
bool LoadAppSettings(const std::string& path, AppSettings& s);
bool SaveAppSettings(const std::string& path, const AppSettings& s);

}  // namespace ign
