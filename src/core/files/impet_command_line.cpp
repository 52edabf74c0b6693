#include "core/files/impet_command_line.h"

#include "core/files/impet_tree.h"
#include "core/text/codepage.h"

namespace ign {

namespace {

bool Blank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && Blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && (Blank(s.back()) || s.back() == '\r' || s.back() == '\n')) s.remove_suffix(1);
  return s;
}

}  // namespace

std::optional<ImpetCommandLine> ParseImpetLine(std::string_view line) {
  line = Trim(line);
  ImpetCommandLine out;
  size_t i = 0;
  while (i < line.size() && !Blank(line[i])) {
    const char c = line[i++];
    out.word.push_back((c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c);
  }
  out.rest = std::string(Trim(line.substr(i)));
  // Arguments: runs of non-blank characters; a double quote switches blanks
  // into the argument until the next one.
  std::string_view rest = out.rest;
  size_t k = 0;
  while (k < rest.size()) {
    while (k < rest.size() && Blank(rest[k])) ++k;
    if (k >= rest.size()) break;
    std::string arg;
    bool quoted = false;
    while (k < rest.size() && (quoted || !Blank(rest[k]))) {
      if (rest[k] == '"') {
        quoted = !quoted;
      } else {
        arg.push_back(rest[k]);
      }
      ++k;
    }
    if (quoted) return std::nullopt;
    out.args.push_back(std::move(arg));
  }
  return out;
}

std::optional<std::string> ToStoreName(std::string_view utf8) {
  std::string cp = Utf8ToCp1250(utf8);
  if (Cp1250ToUtf8(cp) != utf8) return std::nullopt;
  return cp;
}

std::string FromStoreName(std::string_view cp1250) { return Cp1250ToUtf8(cp1250); }

std::optional<std::vector<std::string>> ArchiveParts(std::string_view utf8Path) {
  const std::optional<std::string> cp = ToStoreName(utf8Path);
  if (!cp || cp->find('\0') != std::string::npos) return std::nullopt;
  return SplitArchivePath(*cp);
}

std::string DiskPath(std::string_view path) {
  std::string p(path);
  for (char& c : p)
    if (c == '\\') c = '/';
  return p.empty() ? std::string(".") : p;
}

}  // namespace ign
