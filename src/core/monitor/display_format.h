#pragma once
// printf into a std::string, for the display texts.
#include <cstdio>
#include <string>

namespace ign::monitor_detail {

template <typename... Args>
std::string Format(const char* format, Args... args) {
  char buf[512];
  const int n = std::snprintf(buf, sizeof buf, format, args...);
  if (n < 0) return {};
  return std::string(buf, size_t(n) < sizeof buf ? size_t(n) : sizeof buf - 1);
}

}  // namespace ign::monitor_detail
