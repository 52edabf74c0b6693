#pragma once
// A program started in the background with its standard output collected,
// so that a test can wait for a line and then signal it.
#include <sys/types.h>

#include <string>
#include <vector>

namespace ign::test {

class ChildProcess {
 public:
  ~ChildProcess();
  // env entries "NAME=value" are added to the test's environment; cwd empty keeps it.
  bool Start(const std::vector<std::string>& argv, const std::vector<std::string>& env = {},
             const std::string& cwd = "");
  // Collects output until it contains text, the program ends or capSeconds pass.
  bool WaitForOutput(const std::string& text, double capSeconds);
  // Collects output until pred() holds (checked about every millisecond), the
  // program ends or capSeconds pass.
  template <typename Pred>
  bool WaitFor(Pred pred, double capSeconds);
  void Signal(int sig);
  // Waits for the end (SIGKILL at the cap); the exit code, or -1 after a signal.
  int Wait(double capSeconds = 30);
  const std::string& Output() const { return out_; }
  bool Running() const { return pid_ > 0 && !ended_; }

 private:
  void Collect(int timeoutMs);
  pid_t pid_ = -1;
  int fd_ = -1;
  bool ended_ = false;
  int status_ = 0;
  std::string out_;
};

double SecondsSince(long long startNs);
long long NowNs();

template <typename Pred>
bool ChildProcess::WaitFor(Pred pred, double capSeconds) {
  const long long start = NowNs();
  while (!pred()) {
    if (SecondsSince(start) > capSeconds || fd_ < 0) return pred();
    Collect(1);
  }
  return true;
}

}  // namespace ign::test
