#pragma once
#include "cli/cli_args.h"

namespace ign::cli {

int RunCommand(const Args& args);

int CmdPorts(const Args& args);
int CmdInfo(const Args& args);
int CmdRead(const Args& args);
int CmdVerify(const Args& args);
int CmdProgram(const Args& args);
int CmdReset(const Args& args);
int CmdMonitor(const Args& args);
int CmdPlay(const Args& args);
int CmdConvert(const Args& args);
int CmdDiff(const Args& args);
int CmdHandover(const Args& args);
int CmdArchive(const Args& args);
int CmdLog(const Args& args);

}  // namespace ign::cli
