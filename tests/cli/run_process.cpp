#include "run_process.h"

#include <chrono>
#include <csignal>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ign::test {

namespace {

// Starts argv with outFd as standard output and errFd as standard error, no
// input, env added to the environment. -1 when it could not be forked.
pid_t Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& env, int outFd, int errFd) {
  pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(outFd, 1);
    ::dup2(errFd, 2);
    int devnull = ::open("/dev/null", O_RDONLY);
    ::dup2(devnull, 0);
    for (const std::string& e : env) ::putenv(const_cast<char*>(e.c_str()));
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    ::execv(args[0], args.data());
    ::_exit(127);
  }
  return pid;
}

// Reads outFd into r.out and errFd into r.err until both end (a pipe at its
// end, a terminal with EIO), with the cap and the interrupt; then the exit code.
void Collect(pid_t pid, int outFd, int errFd, std::chrono::steady_clock::time_point start, double capSeconds,
             const std::function<bool(const ProcessResult&)>& interruptWhen, ProcessResult& r) {
  pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
  int open = 2;
  bool killed = false, interrupted = false;
  while (open > 0) {
    if (interruptWhen && !interrupted && interruptWhen(r)) {
      ::kill(pid, SIGINT);
      interrupted = true;
    }
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (elapsed > capSeconds && !killed) {
      ::kill(pid, SIGKILL);
      killed = true;
    }
    if (::poll(fds, 2, 100) < 0) break;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
      char buf[4096];
      ssize_t n = ::read(fds[i].fd, buf, sizeof buf);
      if (n <= 0) {
        ::close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      } else {
        (i == 0 ? r.out : r.err).append(buf, size_t(n));
      }
    }
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (!killed && WIFEXITED(status)) r.exitCode = WEXITSTATUS(status);
}

}  // namespace

ProcessResult RunProcess(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                         double capSeconds, const std::function<bool(const ProcessResult&)>& interruptWhen) {
  ProcessResult r;
  int out[2], err[2];
  if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) return r;
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = Spawn(argv, env, out[1], err[1]);
  ::close(out[1]);
  ::close(err[1]);
  if (pid < 0) return r;
  Collect(pid, out[0], err[0], start, capSeconds, interruptWhen, r);
  return r;
}

ProcessResult RunOnTerminal(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                            double capSeconds) {
  ProcessResult r;
  int master = -1, slave = -1, err[2];
  if (::openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) return r;
  ::fcntl(master, F_SETFD, FD_CLOEXEC);
  ::fcntl(slave, F_SETFD, FD_CLOEXEC);
  if (::pipe2(err, O_CLOEXEC) != 0) return r;
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = Spawn(argv, env, slave, err[1]);
  ::close(slave);
  ::close(err[1]);
  if (pid < 0) return r;
  Collect(pid, master, err[0], start, capSeconds, {}, r);
  return r;
}

}  // namespace ign::test
