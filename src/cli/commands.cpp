#include "cli/commands.h"

#include <cstdio>
#include <map>
#include <string>

namespace ign::cli {

int RunCommand(const Args& args) {
  static const std::map<std::string, int (*)(const Args&)> commands = {
      {"ports", CmdPorts},     {"info", CmdInfo},         {"read", CmdRead},       {"verify", CmdVerify},
      {"program", CmdProgram}, {"reset", CmdReset},       {"monitor", CmdMonitor}, {"convert", CmdConvert},
      {"diff", CmdDiff},       {"handover", CmdHandover}, {"archive", CmdArchive}, {"play", CmdPlay},
      {"history", CmdHistory},
      {"log", CmdLog},
  };
  auto it = commands.find(args.command);
  if (it == commands.end()) {
    std::fprintf(stderr, "ignctl: unknown command '%s'\n\n%s", args.command.c_str(), UsageText());
    return kUsage;
  }
  return it->second(args);
}

}  // namespace ign::cli
