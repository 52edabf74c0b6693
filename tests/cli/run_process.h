#pragma once
// Runs a program to its end with a hard cap, collecting its output.
#include <string>
#include <vector>

namespace ign::test {

struct ProcessResult {
  int exitCode = -1;  // -1: killed at the cap or did not start
  std::string out, err;
  double seconds = 0;
};

ProcessResult RunProcess(const std::vector<std::string>& argv, const std::vector<std::string>& env = {},
                         double capSeconds = 60);

}  // namespace ign::test
