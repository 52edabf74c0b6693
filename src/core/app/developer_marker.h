#pragma once
// The developer marker file: its presence with the token DEVX_SWITCH turns on
// the developer test mode; "TEST_COM <n>" names a test port.
#include <string>
#include <string_view>
#include "core/base/run_config.h"

namespace ign {

constexpr const char* kDefaultMarkerFile = "/etc/ignset/developer";

struct DeveloperMarker {
  bool testMode = false;
  int testPort = 0;  // 0: none
};

// IGN_MARKER_FILE when set, otherwise the fixed path.
std::string MarkerFilePath(const RunConfig& config);

// Whitespace-separated tokens; a TEST_COM without a port number 1..255 names no port.
DeveloperMarker ParseDeveloperMarker(std::string_view text);

// A missing file means no test mode and no test port.
DeveloperMarker ReadDeveloperMarker(const std::string& path);

}  // namespace ign
