#include "tests/support/sim_process.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ign::test {
namespace {

constexpr int kReadyTimeoutMs = 10000;
constexpr int kStopTimeoutMs = 5000;

}  // namespace

std::string MakeTempDir() {
  const char* base = std::getenv("TMPDIR");
  std::string tmpl = std::string(base && *base ? base : "/tmp") + "/ign-test-XXXXXX";
  if (!::mkdtemp(tmpl.data())) return {};
  return tmpl;
}

std::string SimBinary() {
  const char* dir = std::getenv("IGN_BINARY_DIR");
#ifdef IGN_BINARY_DIR
  if (!dir || !*dir) dir = IGN_BINARY_DIR;
#endif
  return std::string(dir ? dir : ".") + "/sim/ignsim";
}

SimProcess::SimProcess(const std::string& portDir, SimOptions o) {
  workDir_ = MakeTempDir();
  image_ = o.image.empty() ? workDir_ + "/unit.img" : o.image;
  errPath_ = workDir_ + "/ignsim.err";
  std::vector<std::string> args = {SimBinary(),
                                   "--port-dir",
                                   portDir,
                                   "--com",
                                   std::to_string(o.com),
                                   "--family",
                                   o.family,
                                   "--image",
                                   image_,
                                   "--key",
                                   std::to_string(o.key),
                                   "--subversion",
                                   std::to_string(o.subversion)};
  if (o.baud > 0) args.insert(args.end(), {"--baud", std::to_string(o.baud)});
  args.insert(args.end(), o.extra.begin(), o.extra.end());

  int in[2], out[2];
  if (::pipe2(in, O_CLOEXEC) != 0) return;
  if (::pipe2(out, O_CLOEXEC) != 0) {
    ::close(in[0]), ::close(in[1]);
    return;
  }
  const int err = ::open(errPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_ = ::fork();
  if (pid_ == 0) {
    ::dup2(in[0], STDIN_FILENO);
    ::dup2(out[1], STDOUT_FILENO);
    if (err >= 0) ::dup2(err, STDERR_FILENO);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(in[0]);
  ::close(out[1]);
  if (err >= 0) ::close(err);
  stdinFd_ = in[1];
  if (pid_ < 0) {
    ::close(out[0]);
    return;
  }
  // Wait for "READY <link>\n", capped.
  std::string line;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kReadyTimeoutMs);
  while (line.find('\n') == std::string::npos) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    pollfd p{out[0], POLLIN, 0};
    if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
    char buf[256];
    const ssize_t n = ::read(out[0], buf, sizeof buf);
    if (n <= 0) break;
    line.append(buf, static_cast<std::size_t>(n));
  }
  ::close(out[0]);
  const std::string prefix = "READY ";
  if (line.rfind(prefix, 0) == 0 && line.find('\n') != std::string::npos) {
    link_ = line.substr(prefix.size(), line.find('\n') - prefix.size());
    ready_ = true;
  }
}

SimProcess::~SimProcess() {
  stop();
  if (!workDir_.empty()) {
    std::error_code ec;
    std::filesystem::remove_all(workDir_, ec);
  }
}

void SimProcess::closeInput() {
  if (stdinFd_ >= 0) ::close(stdinFd_), stdinFd_ = -1;
}

int SimProcess::stop() {
  if (pid_ <= 0) return status_;
  ::kill(pid_, SIGTERM);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kStopTimeoutMs);
  int st = 0;
  pid_t r = 0;
  while ((r = ::waitpid(pid_, &st, WNOHANG)) == 0 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  if (r == 0) {
    ::kill(pid_, SIGKILL);
    r = ::waitpid(pid_, &st, 0);
  }
  if (r == pid_) status_ = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  pid_ = -1;
  if (stdinFd_ >= 0) ::close(stdinFd_), stdinFd_ = -1;
  ready_ = false;
  return status_;
}

std::string SimProcess::errorOutput() const {
  std::ifstream f(errPath_);
  std::stringstream ss;
  ss << f.rdbuf();
  return ss.str();
}

}  // namespace ign::test
