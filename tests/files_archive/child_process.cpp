#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>

namespace ign::test {

long long NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

double SecondsSince(long long startNs) { return double(NowNs() - startNs) / 1e9; }

ChildProcess::~ChildProcess() {
  if (pid_ > 0 && !ended_) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  if (fd_ >= 0) ::close(fd_);
}

bool ChildProcess::Start(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                         const std::string& cwd) {
  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) return false;
  pid_ = ::fork();
  if (pid_ < 0) return false;
  if (pid_ == 0) {
    ::dup2(pipeFds[1], 1);
    const int devnull = ::open("/dev/null", O_RDWR);
    ::dup2(devnull, 0);
    ::dup2(devnull, 2);
    if (!cwd.empty() && ::chdir(cwd.c_str()) != 0) ::_exit(126);
    for (const std::string& e : env) ::putenv(const_cast<char*>(e.c_str()));
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    ::execv(args[0], args.data());
    ::_exit(127);
  }
  ::close(pipeFds[1]);
  fd_ = pipeFds[0];
  return true;
}

void ChildProcess::Collect(int timeoutMs) {
  if (fd_ < 0) return;
  pollfd p{fd_, POLLIN, 0};
  if (::poll(&p, 1, timeoutMs) <= 0) return;
  char buf[4096];
  const ssize_t n = ::read(fd_, buf, sizeof buf);
  if (n > 0) {
    out_.append(buf, size_t(n));
  } else {
    ::close(fd_);
    fd_ = -1;
  }
}

bool ChildProcess::WaitForOutput(const std::string& text, double capSeconds) {
  return WaitFor([&] { return out_.find(text) != std::string::npos; }, capSeconds);
}

void ChildProcess::Signal(int sig) {
  if (pid_ > 0 && !ended_) ::kill(pid_, sig);
}

int ChildProcess::Wait(double capSeconds) {
  if (pid_ <= 0) return -1;
  const long long start = NowNs();
  while (!ended_) {
    const pid_t r = ::waitpid(pid_, &status_, WNOHANG);
    if (r == pid_) {
      ended_ = true;
      break;
    }
    if (SecondsSince(start) > capSeconds) ::kill(pid_, SIGKILL);
    if (fd_ >= 0) {
      Collect(10);
    } else {
      ::poll(nullptr, 0, 1);
    }
  }
  while (fd_ >= 0) Collect(100);
  return WIFEXITED(status_) ? WEXITSTATUS(status_) : -1;
}

}  // namespace ign::test
