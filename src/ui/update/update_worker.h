#pragma once
// TUpdateWorker: the thread that fetches the update description once, when
// the GUI thread sets the shared state to 1; it publishes the document (or no
// data) with state 2. It never touches widgets or texts.
//
// One GET with a connect time-out and limits of its own: the whole transfer,
// the size, the redirects (never from https to http), and only a 2xx answer
// counts. An http address is tried as https first; plain http follows only
// when no https connection could be made at all, never after a certificate
// error. Proxies come from the environment (http_proxy, https_proxy,
// no_proxy); SSL_CERT_FILE adds trusted certificates.
#include <QByteArray>
#include <QThread>
#include <QUrl>
#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/update/update_state.h"

class QElapsedTimer;

namespace ign {

struct UpdateLimits {
  static constexpr int kConnectTimeoutMs = 2000;
  static constexpr int kTransferLimitMs = 10000;  // the whole check, both attempts
  static constexpr qint64 kMaxDocumentBytes = 10'000'000;
  static constexpr int kMaxRedirects = 5;
  static constexpr int kPollMs = 50;  // the worker looks for a request and the stop flag this often
  static constexpr int kJoinLimitMs = 1000;
};

constexpr const char* kUpdateAccept = "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8";

// "ignset/108".
QByteArray UpdateUserAgent();

class TUpdateWorker : public QThread {
 public:
  // network: the proxy variables and SSL_CERT_FILE (UpdateSources::network).
  TUpdateWorker(std::shared_ptr<CUpdateState> state, std::string documentUrl,
                std::map<std::string, std::string> network = {});
  ~TUpdateWorker() override;

  // Sets the stop flag (a running transfer is aborted within kPollMs) and
  // waits at most kJoinLimitMs; true when the thread has ended.
  bool Stop();

  // The addresses asked, in order. Written by the worker before it publishes
  // state 2; read it only once the state shows 2 or 3.
  const std::vector<std::string>& TriedUrls() const { return tried_; }

 protected:
  void run() override;

 private:
  struct Attempt {
    QByteArray body;
    bool ok = false;
    bool encrypted = false;         // a TLS session was set up
    bool certificateError = false;  // the peer's certificate was refused
  };
  QByteArray Fetch();
  Attempt Try(const QUrl& url, const QElapsedTimer& clock);

  std::shared_ptr<CUpdateState> state_;
  std::string url_;
  std::map<std::string, std::string> network_;
  std::atomic<bool> stop_{false};
  std::vector<std::string> tried_;
};

}  // namespace ign
