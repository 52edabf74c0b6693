#include "core/text/utf8.h"

namespace ign {

namespace {
bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
}  // namespace

std::size_t Utf8Length(std::string_view text) {
  std::size_t n = 0;
  for (char c : text) n += IsContinuation(c) ? 0 : 1;
  return n;
}

std::string PadToCharacters(std::string_view text, std::size_t width) {
  std::string out(text);
  const std::size_t length = Utf8Length(text);
  if (length < width) out.append(width - length, ' ');
  return out;
}

std::string_view TruncateToCharacters(std::string_view text, std::size_t width) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsContinuation(text[i])) continue;
    if (n == width) return text.substr(0, i);
    ++n;
  }
  return text;
}

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += char(0xE0 | (cp >> 12));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  } else {
    out += char(0xF0 | (cp >> 18));
    out += char(0x80 | ((cp >> 12) & 0x3F));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}

}  // namespace ign
