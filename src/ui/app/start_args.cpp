#include "ui/app/start_args.h"

#include <cstdio>
#include <cstring>

#include "core/text/language.h"

namespace ign {

namespace {

// The name ends with lowerTail, A..Z of the name folded to lower case.
bool EndsWithFolded(const std::string& name, const std::string& lowerTail) {
  if (name.size() < lowerTail.size()) return false;
  std::string tail = name.substr(name.size() - lowerTail.size());
  for (char& c : tail)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return tail == lowerTail;
}

// The toolkit's own options that take the next argument as their value.
bool TakesValue(std::string option) {
  if (option.compare(0, 2, "--") == 0) option.erase(0, 1);
  for (const char* o : {"-platform", "-platformpluginpath", "-platformtheme", "-plugin", "-display",
                        "-geometry", "-qwindowgeometry", "-style", "-stylesheet", "-title", "-qwindowtitle",
                        "-qwindowicon", "-session", "-name", "-qmljsdebugger"})
    if (option == o) return true;
  return false;
}

}  // namespace

StartOptions ParseStartArguments(const std::vector<std::string>& args) {
  StartOptions o;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      o.help = true;
    } else if (LanguageFromArgument(a) >= 0 || a == "nopatchcheck") {
      // Words of the first place; elsewhere they are ignored, never files.
      if (i != 1) continue;
      if (a == "nopatchcheck")
        o.noPatchCheck = true;
      else
        o.language = LanguageFromArgument(a);
    } else if (!a.empty() && a[0] == '-') {
      if (TakesValue(a)) ++i;
    } else if (o.file.empty() && !a.empty()) {
      o.file = a;
    }
  }
  return o;
}

bool IsRecordingName(const std::string& path) { return EndsWithFolded(path, ".ignlog"); }

std::string StartUsage(const std::string& userGuide) {
  return "Usage: ignset [ENGLISH|DEUTSCH|CESKY|nopatchcheck] [FILE]\n"
         "\n"
         "The desktop program for a programmable digital ignition unit.\n"
         "\n"
         "  ENGLISH, DEUTSCH, CESKY  as the first argument: the language of the window\n"
         "  nopatchcheck             as the first argument: no update check at start\n"
         "  FILE                     a settings file (.ign) to open, or a recording\n"
         "                           (.ignlog) to play; when ignset already runs for\n"
         "                           this user, the running window opens it\n"
         "  --help                   this text\n"
         "\n"
         "User guide: " +
         userGuide + "\n";
}

std::string RewriteBuildDate(const char* date) {
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  char month[4] = {};
  int day = 0, year = 0;
  if (!date || std::sscanf(date, "%3s %d %d", month, &day, &year) != 3) return "0_00_00";
  int m = 0;
  for (int i = 0; i < 12; ++i)
    if (std::strcmp(month, kMonths[i]) == 0) m = i + 1;
  char out[32];
  std::snprintf(out, sizeof out, "%i_%02i_%02i", year, m, day);
  return out;
}

std::optional<std::string> FirstSettingsFile(const std::vector<std::string>& names) {
  for (const std::string& n : names)
    if (EndsWithFolded(n, ".ign")) return n;
  return std::nullopt;
}

}  // namespace ign
