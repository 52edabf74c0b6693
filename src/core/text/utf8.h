#pragma once
// Small helpers for UTF-8 text measured in characters (code points).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ign {

std::size_t Utf8Length(std::string_view text);
// text followed by blanks up to width characters (unchanged when longer).
std::string PadToCharacters(std::string_view text, std::size_t width);
// The first width characters of text (never cuts a character in half).
std::string_view TruncateToCharacters(std::string_view text, std::size_t width);
// Appends the code point cp in UTF-8.
void AppendUtf8(std::string& out, uint32_t cp);

}  // namespace ign
