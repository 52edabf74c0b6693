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
  args->env = ign::ReadRunConfig();
  const ign::RunConfig& env = args->env;
  const std::string settings =
      ign::SettingsFolderFrom(env.settingsDir.c_str(), env.xdgDataHome.c_str(), env.home.c_str());
  ign::SetMathErrorLogPath(settings + "IGN.err");
  // Where the search last found a unit, kept between runs.
  if (const std::string state = ign::StateFolderFrom(env.xdgStateHome.c_str(), env.home.c_str());
      !state.empty())
    args->statePath = state + "ignctl/search";
  return RunCommand(*args);
}
