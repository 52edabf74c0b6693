#include "ui/update/update_worker.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <cstdlib>

#include "core/base/settings_dir.h"
#include "core/update/proxy_env.h"

#if QT_CONFIG(ssl)
#include <QSslCertificate>
#include <QSslConfiguration>
#endif

namespace ign {

namespace {

using Variables = std::map<std::string, std::string>;

const char* Lookup(const Variables& variables, const char* name) {
  const auto it = variables.find(name);
  return it == variables.end() ? nullptr : it->second.c_str();
}

QNetworkProxy ProxyFor(const QUrl& url, const Variables& network) {
  const ProxyChoice p = ProxyFromEnvironment(url.scheme().toStdString(), url.host().toStdString(),
                                             [&](const char* name) { return Lookup(network, name); });
  if (p.kind == ProxyChoice::Kind::None) return QNetworkProxy(QNetworkProxy::NoProxy);
  QNetworkProxy proxy(
      p.kind == ProxyChoice::Kind::Socks5 ? QNetworkProxy::Socks5Proxy : QNetworkProxy::HttpProxy,
      QString::fromStdString(p.host), quint16(p.port), QString::fromStdString(p.user),
      QString::fromStdString(p.password));
  return proxy;
}

#if QT_CONFIG(ssl)
// The system's trusted certificates, and those of SSL_CERT_FILE besides.
QSslConfiguration TlsConfiguration(const Variables& network) {
  QSslConfiguration conf = QSslConfiguration::defaultConfiguration();
  if (const char* file = Lookup(network, "SSL_CERT_FILE"); file && *file) {
    const QList<QSslCertificate> extra = QSslCertificate::fromPath(QString::fromLocal8Bit(file));
    if (!extra.isEmpty()) conf.addCaCertificates(extra);
  }
  return conf;
}
#endif

}  // namespace

QByteArray UpdateUserAgent() { return QByteArray("ignset/") + QByteArray::number(kProgramVersion); }

TUpdateWorker::TUpdateWorker(std::shared_ptr<CUpdateState> state, std::string documentUrl,
                             std::map<std::string, std::string> network)
    : state_(std::move(state)), url_(std::move(documentUrl)), network_(std::move(network)) {
  setObjectName("UpdateWorker");
  setStackSize(0x20000 * 4);  // the network stack needs more than a bare loop
}

TUpdateWorker::~TUpdateWorker() { Stop(); }

bool TUpdateWorker::Stop() {
  stop_.store(true, std::memory_order_release);
  if (!isRunning()) return true;
  return wait(QDeadlineTimer(UpdateLimits::kJoinLimitMs));
}

void TUpdateWorker::run() {
  while (!stop_.load(std::memory_order_acquire)) {
    if (state_->State() == UpdateState::Requested) {
      const QByteArray document = stop_.load() ? QByteArray() : Fetch();
      state_->Finish(std::string_view(document.constData(), size_t(document.size())));
      continue;
    }
    QThread::msleep(UpdateLimits::kPollMs);
  }
}

QByteArray TUpdateWorker::Fetch() {
  QElapsedTimer clock;
  clock.start();
  const QUrl url(QString::fromStdString(url_), QUrl::StrictMode);
  const QString scheme = url.scheme().toLower();
  if (!url.isValid() || url.host().isEmpty() || (scheme != "http" && scheme != "https")) return {};
  if (scheme == "https") {
    Attempt a = Try(url, clock);
    return a.ok ? a.body : QByteArray();
  }
#if QT_CONFIG(ssl)
  QUrl secure = url;
  secure.setScheme("https");
  Attempt first = Try(secure, clock);
  if (first.ok) return first.body;
  // Plain http only when no https connection came about: never after a
  // refused certificate or an established TLS session.
  if (first.encrypted || first.certificateError || stop_.load() ||
      clock.elapsed() >= UpdateLimits::kTransferLimitMs)
    return {};
#endif
  Attempt plain = Try(url, clock);
  return plain.ok ? plain.body : QByteArray();
}

TUpdateWorker::Attempt TUpdateWorker::Try(const QUrl& url, const QElapsedTimer& clock) {
  Attempt r;
  const qint64 remaining = UpdateLimits::kTransferLimitMs - clock.elapsed();
  if (remaining <= 0 || stop_.load()) return r;
  tried_.push_back(url.toString().toStdString());

  QNetworkAccessManager manager;
  manager.setProxy(ProxyFor(url, network_));
  QNetworkRequest request(url);
  request.setRawHeader("Accept", kUpdateAccept);
  request.setHeader(QNetworkRequest::UserAgentHeader, UpdateUserAgent());
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
  request.setMaximumRedirectsAllowed(UpdateLimits::kMaxRedirects);
#if QT_CONFIG(ssl)
  if (url.scheme().toLower() == "https") request.setSslConfiguration(TlsConfiguration(network_));
#endif

  QNetworkReply* reply = manager.get(request);
  QEventLoop loop;
  bool sent = false, overCap = false;

  QTimer connectTimer;
  connectTimer.setSingleShot(true);
  QObject::connect(&connectTimer, &QTimer::timeout, reply, [&] {
    if (!sent) reply->abort();
  });
  QTimer deadline;
  deadline.setSingleShot(true);
  QObject::connect(&deadline, &QTimer::timeout, reply, [&] { reply->abort(); });
  QTimer stopPoll;
  QObject::connect(&stopPoll, &QTimer::timeout, reply, [&] {
    if (stop_.load(std::memory_order_acquire)) reply->abort();
  });

  QObject::connect(reply, &QNetworkReply::requestSent, reply, [&] {
    sent = true;
    connectTimer.stop();
  });
#if QT_CONFIG(ssl)
  QObject::connect(reply, &QNetworkReply::encrypted, reply, [&] { r.encrypted = true; });
  QObject::connect(reply, &QNetworkReply::sslErrors, reply, [&](const QList<QSslError>&) {
    r.certificateError = true;  // not ignored: the handshake fails
  });
#endif
  auto take = [&] {
    if (overCap) return;
    const QByteArray chunk = reply->readAll();
    if (r.body.size() + chunk.size() > UpdateLimits::kMaxDocumentBytes) {
      overCap = true;
      r.body.clear();
      reply->abort();
      return;
    }
    r.body.append(chunk);
  };
  QObject::connect(reply, &QNetworkReply::readyRead, reply, take);
  QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);

  connectTimer.start(UpdateLimits::kConnectTimeoutMs);
  deadline.start(int(remaining));
  stopPoll.start(UpdateLimits::kPollMs);
  if (!reply->isFinished()) loop.exec();
  take();

  const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  r.ok = !overCap && reply->error() == QNetworkReply::NoError && status >= 200 && status < 300;
  if (!r.ok) r.body.clear();
  reply->disconnect();
  delete reply;
  return r;
}

}  // namespace ign
