#pragma once
// The one place where text crosses between the program (UTF-8) and the 8-bit
// Windows-1250 text of files exchanged with other installations (settings
// files, CSV, recordings, the private clipboard format, the update document).
#include <string>
#include <string_view>

namespace ign {

// A character that Windows-1250 cannot hold, and a malformed UTF-8 byte
// sequence, each become one '?'.
std::string Utf8ToCp1250(std::string_view utf8);
// The five byte values that Windows-1250 leaves undefined become '?'.
std::string Cp1250ToUtf8(std::string_view cp1250);

}  // namespace ign
