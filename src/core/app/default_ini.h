#pragma once
// "default.ini": the parameter image of the last run as text, one "%5u " per
// byte, a line break after every 10th value and another after every 100th,
// CR LF on disk.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ign {

std::string FormatImageText(const uint8_t* bytes, size_t count);

// Reads unsigned decimal numbers into bytes[0..], each cut to 8 bits, up to
// count values; stops at the end of the text or at the first thing that is no
// number. Returns the number of bytes filled.
size_t ParseImageText(std::string_view text, uint8_t* bytes, size_t count);

bool WriteImageFile(const std::string& path, const uint8_t* bytes, size_t count);
// Returns -1 for a missing file (the image is then left as it is).
long ReadImageFile(const std::string& path, uint8_t* bytes, size_t count);

}  // namespace ign
