#pragma once
// A small scripted HTTP server on 127.0.0.1 for tests of the update check:
// it listens on a free port, answers every connection by the behaviour set
// (a document, a status, a redirect, silence, a trickle, a close in the
// middle of the body) and records each request it could read. Every
// connection has its own thread; the destructor stops them all (bounded).
// Nothing here reaches beyond the loopback address.
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace ign::test {

struct HttpRequest {
  std::string line;                                   // "GET /old/patch.xml HTTP/1.1"
  std::string headers;                                // the header lines as received, CR LF separated
  std::string Header(const std::string& name) const;  // value of a header (case-blind name), "" when absent
};

class HttpTestServer {
 public:
  enum class Mode {
    Serve,         // status, content type and body
    Silent,        // accepts, reads, never answers
    Trickle,       // a 200 answer, one byte of the body per second
    CloseMidBody,  // announces the body's length, sends half of it, closes
    Redirect,      // 302 to `location`
    RedirectLoop,  // 302 back to the same path, forever
  };

  HttpTestServer();
  ~HttpTestServer();
  HttpTestServer(const HttpTestServer&) = delete;
  HttpTestServer& operator=(const HttpTestServer&) = delete;

  bool Listening() const { return listenFd_ >= 0; }
  int Port() const { return port_; }
  std::string Url(const std::string& path = "") const;

  void Set(Mode mode, int status = 200, std::string body = "", std::string location = "");
  // Every request read so far (TLS hellos and other non-HTTP bytes are not
  // requests: such connections are closed at once).
  std::vector<HttpRequest> Requests() const;
  int Connections() const { return connections_.load(); }

  // Stops accepting and ends every connection; the destructor does it too.
  void Stop();

 private:
  void AcceptLoop();
  void Serve(int fd);
  bool WaitStop(int ms) const;  // true when stopping

  int listenFd_ = -1;
  int port_ = 0;
  int stopPipe_[2] = {-1, -1};
  std::atomic<bool> stopping_{false};
  std::atomic<int> connections_{0};
  std::thread acceptThread_;
  mutable std::mutex mutex_;
  std::vector<std::thread> workers_;
  std::vector<HttpRequest> requests_;
  Mode mode_ = Mode::Serve;
  int status_ = 200;
  std::string body_, location_;
};

// A free TCP port on 127.0.0.1 at the moment of asking.
int FreeLocalPort();

}  // namespace ign::test
