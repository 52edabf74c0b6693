#include "tests/support/http_test_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstring>

namespace ign::test {

namespace {

constexpr int kMaxRequestBytes = 64 * 1024;
constexpr int kReadLimitMs = 10000;

std::string Lower(std::string s) {
  for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

bool SendAll(int fd, const std::string& data) {
  size_t done = 0;
  while (done < data.size()) {
    ssize_t n = ::send(fd, data.data() + done, data.size() - done, MSG_NOSIGNAL);
    if (n <= 0) return false;
    done += size_t(n);
  }
  return true;
}

const char* Reason(int status) {
  switch (status) {
    case 200: return "OK";
    case 302: return "Found";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
  }
}

}  // namespace

std::string HttpRequest::Header(const std::string& name) const {
  const std::string want = Lower(name) + ":";
  size_t pos = 0;
  while (pos < headers.size()) {
    size_t end = headers.find("\r\n", pos);
    if (end == std::string::npos) end = headers.size();
    std::string line = headers.substr(pos, end - pos);
    if (Lower(line.substr(0, want.size())) == want) {
      std::string v = line.substr(want.size());
      while (!v.empty() && v.front() == ' ') v.erase(0, 1);
      return v;
    }
    pos = end + 2;
  }
  return "";
}

int FreeLocalPort() {
  int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  if (fd < 0) return 0;
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof a;
  int port = 0;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) == 0)
    port = ntohs(a.sin_port);
  ::close(fd);
  return port;
}

HttpTestServer::HttpTestServer() {
  if (::pipe(stopPipe_) != 0) return;
  int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return;
  int one = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof a;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(fd, 16) != 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) != 0) {
    ::close(fd);
    return;
  }
  listenFd_ = fd;
  port_ = ntohs(a.sin_port);
  acceptThread_ = std::thread([this] { AcceptLoop(); });
}

HttpTestServer::~HttpTestServer() {
  Stop();
  for (int fd : stopPipe_)
    if (fd >= 0) ::close(fd);
}

std::string HttpTestServer::Url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

void HttpTestServer::Set(Mode mode, int status, std::string body, std::string location) {
  std::lock_guard<std::mutex> lock(mutex_);
  mode_ = mode;
  status_ = status;
  body_ = std::move(body);
  location_ = std::move(location);
}

std::vector<HttpRequest> HttpTestServer::Requests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

void HttpTestServer::Stop() {
  if (stopping_.exchange(true)) return;
  if (stopPipe_[1] >= 0) {
    char c = 1;
    [[maybe_unused]] ssize_t n = ::write(stopPipe_[1], &c, 1);
  }
  if (acceptThread_.joinable()) acceptThread_.join();
  std::vector<std::thread> workers;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    workers.swap(workers_);
  }
  for (std::thread& t : workers) t.join();
  if (listenFd_ >= 0) ::close(listenFd_);
  listenFd_ = -1;
}

bool HttpTestServer::WaitStop(int ms) const {
  pollfd p{stopPipe_[0], POLLIN, 0};
  return ::poll(&p, 1, ms) > 0 || stopping_.load();
}

void HttpTestServer::AcceptLoop() {
  for (;;) {
    pollfd p[2] = {{listenFd_, POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
    if (::poll(p, 2, -1) < 0) continue;
    if (p[1].revents || stopping_.load()) return;
    if (!(p[0].revents & POLLIN)) continue;
    int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) continue;
    ++connections_;
    std::lock_guard<std::mutex> lock(mutex_);
    workers_.emplace_back([this, fd] {
      Serve(fd);
      ::close(fd);
    });
  }
}

void HttpTestServer::Serve(int fd) {
  // Read up to the end of the headers; a connection whose first byte cannot
  // start a request line (a TLS hello) is closed at once.
  std::string in;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kReadLimitMs);
  while (in.find("\r\n\r\n") == std::string::npos) {
    if (!in.empty() && !std::isupper(static_cast<unsigned char>(in[0]))) return;
    if (in.size() > size_t(kMaxRequestBytes) || std::chrono::steady_clock::now() > deadline) return;
    pollfd p[2] = {{fd, POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
    if (::poll(p, 2, 100) < 0) return;
    if (p[1].revents || stopping_.load()) return;
    if (!(p[0].revents & (POLLIN | POLLHUP))) continue;
    char buf[4096];
    ssize_t n = ::recv(fd, buf, sizeof buf, 0);
    if (n <= 0) return;
    in.append(buf, size_t(n));
  }
  HttpRequest r;
  const size_t lineEnd = in.find("\r\n");
  r.line = in.substr(0, lineEnd);
  r.headers = in.substr(lineEnd + 2, in.find("\r\n\r\n") - lineEnd - 2);
  Mode mode;
  int status;
  std::string body, location;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.push_back(r);
    mode = mode_;
    status = status_;
    body = body_;
    location = location_;
  }
  std::string path = r.line.substr(r.line.find(' ') + 1);
  path = path.substr(0, path.find(' '));

  auto head = [&](int code, size_t length, const std::string& extra) {
    return "HTTP/1.1 " + std::to_string(code) + " " + Reason(code) +
           "\r\nContent-Type: text/xml\r\nContent-Length: " + std::to_string(length) +
           "\r\nConnection: close\r\n" + extra + "\r\n";
  };
  switch (mode) {
    case Mode::Serve: SendAll(fd, head(status, body.size(), "") + body); break;
    case Mode::Silent:
      while (!WaitStop(1000)) {
      }
      break;
    case Mode::Trickle:
      if (!SendAll(fd, head(200, body.size(), ""))) return;
      for (char c : body) {
        if (WaitStop(1000) || !SendAll(fd, std::string(1, c))) return;
      }
      break;
    case Mode::CloseMidBody: SendAll(fd, head(200, body.size(), "") + body.substr(0, body.size() / 2)); break;
    case Mode::Redirect: SendAll(fd, head(302, 0, "Location: " + location + "\r\n")); break;
    case Mode::RedirectLoop: SendAll(fd, head(302, 0, "Location: " + Url(path) + "\r\n")); break;
  }
  // Let the client read the answer before the close.
  ::shutdown(fd, SHUT_WR);
  WaitStop(50);
}

}  // namespace ign::test
