#include "core/device/handover.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace ign {

namespace {
constexpr std::string_view kOpenWord = "OPEN ";
constexpr std::string_view kShowLine = "SHOW";

std::string_view WithoutLineEnd(std::string_view line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  return line;
}
}  // namespace

std::string HandoverSocketPath(const RunConfig& config) {
  if (!config.handoverSocket.empty()) return config.handoverSocket;
  const std::string base = config.runtimeDir.empty() ? "/tmp" : config.runtimeDir;
  return base + "/ignset-handover-" + std::to_string(::getuid());
}

std::string FormatHandover(const HandoverMessage& m) {
  char line[48];
  std::snprintf(line, sizeof line, "%d %X\n", m.port, m.code);
  return line;
}

std::optional<HandoverMessage> ParseHandover(std::string_view line) {
  line = WithoutLineEnd(line);
  const size_t space = line.find(' ');
  if (space == std::string_view::npos) return std::nullopt;
  HandoverMessage m;
  const char* first = line.data();
  auto r1 = std::from_chars(first, first + space, m.port);
  auto r2 = std::from_chars(first + space + 1, first + line.size(), m.code, 16);
  if (r1.ec != std::errc() || r1.ptr != first + space || r2.ec != std::errc() ||
      r2.ptr != first + line.size())
    return std::nullopt;
  if (m.port < 1 || m.port > 255) return std::nullopt;
  return m;
}

std::string FormatOpenFile(const std::string& path) {
  if (path.empty() || path.front() != '/' || path.find_first_of("\r\n") != std::string::npos ||
      path.size() + kOpenWord.size() + 1 > kHandoverMaxLine)
    return {};
  return std::string(kOpenWord) + path + "\n";
}

std::string FormatShowWindow() { return std::string(kShowLine) + "\n"; }

std::optional<InstanceRequest> ParseInstanceRequest(std::string_view line) {
  line = WithoutLineEnd(line);
  if (line == kShowLine) return InstanceRequest{};
  if (line.substr(0, kOpenWord.size()) != kOpenWord) return std::nullopt;
  const std::string_view path = line.substr(kOpenWord.size());
  if (path.empty() || path.front() != '/') return std::nullopt;
  return InstanceRequest{InstanceRequest::Open, std::string(path)};
}

bool SendHandover(const HandoverMessage& m, const std::string& path, std::string* error) {
  return SendHandoverLine(FormatHandover(m), path, error);
}

bool SendHandoverLine(const std::string& line, const std::string& path, std::string* error) {
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  if (path.size() >= sizeof addr.sun_path) {
    if (error) *error = "socket path too long: " + path;
    return false;
  }
  std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
  int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    if (error) *error = std::strerror(errno);
    return false;
  }
  bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
  if (!ok && error) *error = "no running ignset at " + path + " (" + std::strerror(errno) + ")";
  if (ok) {
    ok = ::send(fd, line.data(), line.size(), MSG_NOSIGNAL) == ssize_t(line.size());
    if (!ok && error) *error = std::strerror(errno);
  }
  ::close(fd);
  return ok;
}

}  // namespace ign
