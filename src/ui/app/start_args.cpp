#include "ui/app/start_args.h"

#include <cstdio>
#include <cstring>

#include "core/text/language.h"

namespace ign {

StartOptions ParseStartArguments(const std::vector<std::string>& args) {
  StartOptions o;
  if (args.size() < 2) return o;
  const std::string& first = args[1];
  o.language = LanguageFromArgument(first);
  if (first == "nopatchcheck") o.noPatchCheck = true;
  return o;
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
  for (const std::string& n : names) {
    if (n.size() <= 3) continue;
    std::string tail = n.substr(n.size() - 4);
    for (char& c : tail)
      if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    if (tail == ".ign") return n;
  }
  return std::nullopt;
}

}  // namespace ign
