#pragma once
// Command-line options of ignctl.
#include <optional>
#include <string>
#include <vector>

#include "core/base/run_config.h"

namespace ign::cli {

// Exit codes.
enum Exit : int {
  kOk = 0,
  kFailed = 1,    // the operation failed or the settings differ
  kUsage = 2,     // usage error or unreadable input
  kNoUnit = 3,    // no unit found before the time-out
  kMismatch = 4,  // the unit's key or subversion does not match
  kRefused = 5,   // the checks before programming refused it, or asked and --force was not given
  kInUse = 6,     // the port (or every port a unit could be on) is held by another program
};

struct Args {
  std::string command;
  int port = 0;         // 0 automatic search, n only port n
  double timeout = 10;  // seconds to find a unit
  double seconds = 0;   // monitor: how long (0 = until interrupted)
  bool changedOnly = false;
  bool force = false;  // program: go ahead where the checks would ask the tuner first
  bool raw = false;
  std::string output;  // -o
  std::string lang = "en";
  std::string csv;  // --csv: the CSV log of monitor and play
  bool info = false;
  bool plain = false;            // monitor: one line per record, also on a terminal
  bool noHistory = false;        // read, verify, program: keep nothing in the unit history
  std::string unit;              // history list: only this unit (its id or identity)
  std::string map = "advance1";  // log hits: advance1, advance2 or servo
  std::string settings;          // log: the settings whose maps count (.ign, .bin, .ini)
  std::string timeColumn;        // log: the time column of a CSV by name
  std::vector<std::string> positional;
  RunConfig env;  // read from the environment at the start
  // Not an option: ignctl's own state file (where the search last found a
  // unit), from the environment at the entry; empty: none is kept.
  std::string statePath;
};

// Parses argv; on error returns nothing and fills error.
std::optional<Args> ParseArgs(int argc, char** argv, std::string& error);
const char* UsageText();

}  // namespace ign::cli
