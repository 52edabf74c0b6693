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
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
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

bool SendHandover(const HandoverMessage& m, const std::string& path, std::string* error) {
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
    const std::string line = FormatHandover(m);
    ok = ::send(fd, line.data(), line.size(), MSG_NOSIGNAL) == ssize_t(line.size());
    if (!ok && error) *error = std::strerror(errno);
  }
  ::close(fd);
  return ok;
}

}  // namespace ign
