#include "core/app/developer_marker.h"

#include "core/base/atomic_file.h"

namespace ign {

std::string MarkerFilePath(const RunConfig& config) {
  return config.markerFile.empty() ? std::string(kDefaultMarkerFile) : config.markerFile;
}

DeveloperMarker ParseDeveloperMarker(std::string_view text) {
  DeveloperMarker m;
  auto blank = [](char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
  };
  auto next = [&](std::string_view& rest) {
    while (!rest.empty() && blank(rest.front())) rest.remove_prefix(1);
    size_t n = 0;
    while (n < rest.size() && !blank(rest[n])) ++n;
    std::string_view tok = rest.substr(0, n);
    rest.remove_prefix(n);
    return tok;
  };
  std::string_view rest = text;
  for (std::string_view tok = next(rest); !tok.empty(); tok = next(rest)) {
    if (tok == "DEVX_SWITCH") {
      m.testMode = true;
    } else if (tok == "TEST_COM") {
      std::string_view after = rest;
      std::string_view num = next(after);
      int port = 0;
      bool digits = !num.empty() && num.size() <= 3;
      for (char c : num) {
        if (c < '0' || c > '9') digits = false;
        if (digits) port = port * 10 + (c - '0');  // at most three digits: no overflow
      }
      m.testPort = (digits && port >= 1 && port <= 255) ? port : 0;
      if (digits) rest = after;  // a word that is no number stays a token of its own
    }
  }
  return m;
}

DeveloperMarker ReadDeveloperMarker(const std::string& path) {
  std::string text;
  if (!ReadWholeFile(path, text)) return {};
  return ParseDeveloperMarker(text);
}

}  // namespace ign
