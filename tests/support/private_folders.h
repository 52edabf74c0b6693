#pragma once
// Points the program's settings folder, marker file, port folder and
// hand-over socket into a private folder, so that a benchmark or test window
// neither reads nor disturbs the user's.
#include <cstdlib>
#include <string>

namespace ign::test {

// The ports are looked for in <root>/ports.
inline void UsePrivateFolders(const std::string& root) {
  ::setenv("IGN_SETTINGS_DIR", root.c_str(), 1);
  ::setenv("IGN_MARKER_FILE", (root + "/marker").c_str(), 1);
  ::setenv("IGN_PORT_DIR", (root + "/ports").c_str(), 1);
  ::setenv("IGN_HANDOVER_SOCKET", (root + "/handover.sock").c_str(), 1);
}

}  // namespace ign::test
