#pragma once
// Plain helpers of the window's start-up and file drop (no Qt, tested alone).
#include <optional>
#include <string>
#include <vector>

namespace ign {

struct StartOptions {
  int language = -1;  // -1: leave the language as read from the settings
  bool noPatchCheck = false;
  bool help = false;  // --help or -h anywhere
  std::string file;   // a settings file or recording to open, as given
};

// The words ENGLISH, DEUTSCH, CESKY and nopatchcheck count only as the first
// argument after the program name, compared exactly (elsewhere they are
// ignored). The file is the first argument that is neither such word, nor an option (a
// leading '-') or the value of a toolkit option ("-platform offscreen"):
// "ignset ENGLISH bike.ign" and "ignset bike.ign" both open it.
StartOptions ParseStartArguments(const std::vector<std::string>& args);

// A recording for the player (".ignlog", any case); anything else given on
// the command line is opened as a settings file.
bool IsRecordingName(const std::string& path);

// The --help text, with the user guide the program would open.
std::string StartUsage(const std::string& userGuide);

// "Oct 19 2023" (the compiler's date) as "2023_10_19"; unknown months give 0.
std::string RewriteBuildDate(const char* date);

// The first dropped name longer than 3 characters whose last four characters,
// A..Z folded to lower case, read ".ign".
std::optional<std::string> FirstSettingsFile(const std::vector<std::string>& names);

}  // namespace ign
