#pragma once
// One line of the archive store's command language: the command word and
// its arguments, and the conversions of archive paths (Windows-1250 inside
// the store) and disk paths ("\" and "/" both separate folders).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ign {

struct ImpetCommandLine {
  std::string word;               // in capitals
  std::vector<std::string> args;  // blank-separated, double quotes removed
  std::string rest;               // everything after the word, trimmed
};

// Blanks and tabs around the line are removed. Nothing when a double quote
// is left open; an empty word for an empty line.
std::optional<ImpetCommandLine> ParseImpetLine(std::string_view line);

// A UTF-8 archive path as parts of Windows-1250 names; nothing when the path
// is malformed or holds a character Windows-1250 cannot.
std::optional<std::vector<std::string>> ArchiveParts(std::string_view utf8Path);
// The Windows-1250 form of a UTF-8 name; nothing when it does not convert back unchanged.
std::optional<std::string> ToStoreName(std::string_view utf8);
std::string FromStoreName(std::string_view cp1250);

// "\" becomes "/"; an empty path is the working folder.
std::string DiskPath(std::string_view path);

}  // namespace ign
