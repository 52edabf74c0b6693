// ignctl: find a unit, read, verify, program or reset it, watch its monitor
// record, convert and compare settings files, and hand the port to a
// bootloader program, all without a window.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cli/cli_args.h"
#include "cli/commands.h"
#include "core/base/checked_math.h"
#include "core/base/settings_dir.h"
#include "core/text/lngstr.h"
#include "core/text/messages.h"

int main(int argc, char** argv) {
  using namespace ign::cli;
  std::signal(SIGPIPE, SIG_IGN);
  if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "help") == 0)) {
    std::fputs(UsageText(), stdout);
    return kOk;
  }
  std::string error;
  std::optional<Args> args = ParseArgs(argc, argv, error);
  if (!args) {
    std::fprintf(stderr, "ignctl: %s\n\n%s", error.c_str(), UsageText());
    return kUsage;
  }
  ign::SetLanguage(args->lang == "de"   ? ign::LNG_DEUTSCH
                   : args->lang == "cs" ? ign::LNG_CESKY
                                        : ign::LNG_ENGLISH);
  ign::FillMessages();
  // Math errors are logged in the settings folder (when it exists), never in
  // whatever folder ignctl was started from.
  const std::string settings = ign::SettingsFolderFrom(std::getenv("IGN_SETTINGS_DIR"),
                                                       std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
  ign::SetMathErrorLogPath(settings + "IGN.err");
  if (const std::string state = ign::StateFolderFrom(std::getenv("XDG_STATE_HOME"), std::getenv("HOME"));
      !state.empty())
    args->statePath = state + "ignctl/search";
  return RunCommand(*args);
}
