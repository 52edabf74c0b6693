#pragma once
// Plain helpers of the window's start-up and file drop (no Qt, tested alone).
#include <optional>
#include <string>
#include <vector>

namespace ign {

struct StartOptions {
  int language = -1;  // -1: leave the language as read from the settings
  bool noPatchCheck = false;
};

// Only the first argument after the program name counts, compared exactly.
StartOptions ParseStartArguments(const std::vector<std::string>& args);

// "Oct 19 2023" (the compiler's date) as "2023_10_19"; unknown months give 0.
std::string RewriteBuildDate(const char* date);

// The first dropped name longer than 3 characters whose last four characters,
// A..Z folded to lower case, read ".ign".
std::optional<std::string> FirstSettingsFile(const std::vector<std::string>& names);

}  // namespace ign
