#pragma once
// What the program takes from its environment. Read once, at the program's
// entry, and passed down: nothing below it looks at the environment.
#include <map>
#include <string>

namespace ign {

struct RunConfig {
  std::string settingsDir;     // IGN_SETTINGS_DIR: the settings folder itself
  std::string xdgDataHome;     // XDG_DATA_HOME
  std::string xdgStateHome;    // XDG_STATE_HOME
  std::string home;            // HOME
  std::string portDir;         // IGN_PORT_DIR: links COM<n> in it stand for the ports
  std::string traceFile;       // IGN_TRACE_FILE: the communication trace
  std::string markerFile;      // IGN_MARKER_FILE: the developer marker file
  std::string handoverSocket;  // IGN_HANDOVER_SOCKET: the bootloader hand-over socket
  std::string runtimeDir;      // XDG_RUNTIME_DIR
  // Every variable as it was, for the parts that look names up themselves
  // (the update check's addresses and proxies).
  std::map<std::string, std::string> variables;

  // A variable's value; null when it was not set.
  const char* Variable(const char* name) const;
};

// The configuration from the process environment.
RunConfig ReadRunConfig();

}  // namespace ign
