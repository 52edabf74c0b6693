#pragma once
// printf-style formatting into a std::string of any length.
#include <string>

namespace ign {

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace ign
