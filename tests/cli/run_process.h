#pragma once
// Runs a program to its end with a hard cap, collecting its output.
#include <functional>
#include <string>
#include <vector>

namespace ign::test {

struct ProcessResult {
  int exitCode = -1;  // -1: killed at the cap or did not start
  std::string out, err;
  double seconds = 0;
};

// interruptWhen: checked on the output gathered so far; the first time it
// holds the program gets SIGINT (as from Ctrl+C).
ProcessResult RunProcess(const std::vector<std::string>& argv, const std::vector<std::string>& env = {},
                         double capSeconds = 60,
                         const std::function<bool(const ProcessResult&)>& interruptWhen = {});

// The same with standard output on a pseudo-terminal, as a user's terminal;
// out receives what the program wrote to it (with the terminal's line ends).
ProcessResult RunOnTerminal(const std::vector<std::string>& argv, const std::vector<std::string>& env = {},
                            double capSeconds = 60);

}  // namespace ign::test
