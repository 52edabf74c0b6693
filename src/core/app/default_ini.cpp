#include "core/app/default_ini.h"

#include <cstdio>

#include "core/base/atomic_file.h"

namespace ign {

std::string FormatImageText(const uint8_t* bytes, size_t count) {
  std::string out;
  out.reserve(count * 7 + count / 5);
  char buf[16];
  for (size_t i = 0; i < count; ++i) {
    std::snprintf(buf, sizeof buf, "%5u ", unsigned(bytes[i]));
    out += buf;
    if ((i + 1) % 10 == 0) out += "\r\n";
    if ((i + 1) % 100 == 0) out += "\r\n";
  }
  return out;
}

size_t ParseImageText(std::string_view text, uint8_t* bytes, size_t count) {
  size_t pos = 0, filled = 0;
  auto blank = [](char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
  };
  while (filled < count) {
    while (pos < text.size() && blank(text[pos])) ++pos;
    if (pos >= text.size()) break;
    // An optional sign, as an unsigned conversion accepts it (a minus wraps round).
    bool negative = false;
    if (text[pos] == '+' || text[pos] == '-') negative = text[pos++] == '-';
    if (pos >= text.size() || text[pos] < '0' || text[pos] > '9') break;
    uint32_t v = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9')
      v = v * 10u + uint32_t(text[pos++] - '0');
    if (negative) v = 0u - v;
    bytes[filled++] = uint8_t(v & 0xFFu);
  }
  return filled;
}

bool WriteImageFile(const std::string& path, const uint8_t* bytes, size_t count) {
  return WriteFileAtomically(path, FormatImageText(bytes, count));
}

long ReadImageFile(const std::string& path, uint8_t* bytes, size_t count) {
  std::string text;
  if (!ReadWholeFile(path, text)) return -1;
  return long(ParseImageText(text, bytes, count));
}

}  // namespace ign
