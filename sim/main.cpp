// ignsim: a simulated ignition unit on a pseudo-terminal.
#include <atomic>
#include <csignal>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "sim/line_driver.h"
#include "sim/pty_port.h"
#include "sim/settings_store.h"
#include "sim/sim_options.h"
#include "sim/sim_unit.h"

namespace {

std::atomic<bool> gStop{false};

void OnSignal(int) { gStop.store(true); }

// Standard input is watched for end of file only when it is a pipe, socket or terminal;
// /dev/null, a regular file or a closed descriptor never stop the unit.
int WatchedInput(bool noStdin) {
  if (noStdin) return -1;
  struct stat st {};
  if (::fstat(STDIN_FILENO, &st) != 0) return -1;
  if (S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode) || ::isatty(STDIN_FILENO)) return STDIN_FILENO;
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace ign::sim;
  std::string error;
  const auto opts = ParseOptions(std::vector<std::string>(argv + 1, argv + argc), &error);
  if (!opts) {
    std::fprintf(stderr, "ignsim: %s\n\n%s", error.c_str(), HelpText().c_str());
    return 2;
  }
  if (opts->help) {
    std::fputs(HelpText().c_str(), stdout);
    return 0;
  }

  std::optional<SettingsStore> store;
  if (opts->image.empty()) {
    store.emplace();
  } else {
    store = SettingsStore::Open(opts->image, &error);
    if (!store) {
      std::fprintf(stderr, "ignsim: %s\n", error.c_str());
      return 1;
    }
  }

  struct sigaction sa {};
  sa.sa_handler = OnSignal;
  sigemptyset(&sa.sa_mask);
  ::sigaction(SIGTERM, &sa, nullptr);
  ::sigaction(SIGINT, &sa, nullptr);
  std::signal(SIGPIPE, SIG_IGN);
  std::signal(SIGTTIN, SIG_IGN);  // a job sent to the background stops watching its terminal

  PtyPort port;
  if (!port.Open(opts->portDir, opts->com, &error)) {
    std::fprintf(stderr, "ignsim: %s\n", error.c_str());
    return 1;
  }

  UnitConfig cfg;
  cfg.family = opts->family;
  cfg.key = opts->key;
  cfg.subversion = opts->subversion;
  cfg.name = opts->name;
  cfg.serial = opts->serial;
  cfg.seed = opts->seed;
  cfg.pins = opts->pins;
  cfg.commandLog = opts->commandLog;
  LineDriver driver(*opts, port, std::make_unique<SimUnit>(cfg, std::move(*store)));

  std::printf("READY %s\n", port.linkPath().c_str());
  std::fflush(stdout);
  driver.Run(gStop, WatchedInput(opts->noStdin));
  port.Close();
  return 0;
}
