#include "core/base/run_config.h"

#include <cstdlib>
#include <cstring>

extern char** environ;

namespace ign {

namespace {
std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}
}  // namespace

RunConfig ReadRunConfig() {
  RunConfig c;
  c.settingsDir = Env("IGN_SETTINGS_DIR");
  c.xdgDataHome = Env("XDG_DATA_HOME");
  c.xdgStateHome = Env("XDG_STATE_HOME");
  c.home = Env("HOME");
  c.portDir = Env("IGN_PORT_DIR");
  c.traceFile = Env("IGN_TRACE_FILE");
  c.markerFile = Env("IGN_MARKER_FILE");
  c.handoverSocket = Env("IGN_HANDOVER_SOCKET");
  c.runtimeDir = Env("XDG_RUNTIME_DIR");
  for (char** e = environ; e && *e; ++e) {
    const char* equals = std::strchr(*e, '=');
    if (equals) c.variables.emplace(std::string(*e, size_t(equals - *e)), equals + 1);
  }
  return c;
}

const char* RunConfig::Variable(const char* name) const {
  const auto it = variables.find(name);
  return it == variables.end() ? nullptr : it->second.c_str();
}

}  // namespace ign
