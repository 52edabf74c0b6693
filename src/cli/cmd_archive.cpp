// archive: the archive store's command lines from a script or standard input.
#include <fstream>
#include <iostream>
#include <string>

#include "cli/commands.h"
#include "core/files/impet_shell.h"

namespace ign::cli {

int CmdArchive(const Args& args) {
  if (args.positional.size() > 1) {
    std::fprintf(stderr, "ignctl: archive takes at most one SCRIPT\n");
    return kUsage;
  }
  std::ifstream file;
  const bool fromFile = !args.positional.empty() && args.positional[0] != "-";
  if (fromFile) {
    file.open(args.positional[0], std::ios::binary);
    if (!file) {
      std::fprintf(stderr, "ignctl: cannot read %s\n", args.positional[0].c_str());
      return kUsage;
    }
  }
  std::istream& in = fromFile ? static_cast<std::istream&>(file) : std::cin;
  CImpet store;
  CImpetShell shell(store, std::cout);
  bool failed = false;
  std::string line;
  while (std::getline(in, line))
    if (!shell.Run(line)) failed = true;
  std::cout.flush();
  return failed ? kFailed : kOk;
}

}  // namespace ign::cli
