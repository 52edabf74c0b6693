#pragma once
#include "cli/cli_args.h"
#include "core/params/image.h"

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
int CmdHistory(const Args& args);

// The differences from a to b on standard output: in words under their
// pages, or (raw) by name and element as scripts read them; the count last.
// True when there are none.
bool PrintDifferences(const Image& a, const Image& b, bool raw);
int CmdHandover(const Args& args);
int CmdArchive(const Args& args);
int CmdLog(const Args& args);

}  // namespace ign::cli
