// The update worker against servers on 127.0.0.1: plain HTTP after a failed
// HTTPS try, a proxy from the environment, HTTPS through openssl s_server
// with a certificate made here, and a stop during a silent transfer.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSslSocket>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <chrono>
#include <thread>

#include <gtest/gtest.h>
#include "core/base/run_config.h"
#include "core/update/update_sources.h"
#include "tests/support/http_test_server.h"
#include "tests/ui/qt_app.h"
#include "ui/update/update_worker.h"

namespace ign {
namespace {

using test::HttpTestServer;

const std::string kDoc = "<product class=\"QUNTAR6\" key=\"108\"></product>";

// One worker, asked once; waits for its answer with a hard cap.
struct WorkerRun {
  std::shared_ptr<CUpdateState> state = std::make_shared<CUpdateState>();
  std::unique_ptr<TUpdateWorker> worker;

  bool Run(const std::string& url, double capSeconds = 30) {
    test::App();
    // The environment reaches the worker as it does in the program: read
    // once, then the update sources' network variables.
    const RunConfig config = ReadRunConfig();
    const UpdateSources sources = ReadUpdateSources([&](const char* name) { return config.Variable(name); });
    worker = std::make_unique<TUpdateWorker>(state, url, sources.network);
    worker->start();
    state->Request();
    const auto deadline = std::chrono::steady_clock::now() + test::ScaledCap(capSeconds);
    while (state->State() != UpdateState::Finished) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
  }
  std::string Data() const { return std::string(state->Data()); }
};

class ProxyEnvironment : public ::testing::Test {
 protected:
  static void ClearEnvironment() {
    for (const char* v :
         {"http_proxy", "https_proxy", "HTTPS_PROXY", "no_proxy", "NO_PROXY", "SSL_CERT_FILE"})
      ::unsetenv(v);
  }
  void SetUp() override { ClearEnvironment(); }
  void TearDown() override { ClearEnvironment(); }
};

using UpdateWorker = ProxyEnvironment;

TEST_F(UpdateWorker, PlainHttpAfterTheHttpsTryFails) {
  HttpTestServer server;
  server.Set(HttpTestServer::Mode::Serve, 200, kDoc);
  WorkerRun run;
  ASSERT_TRUE(run.Run(server.Url("/old/patch.xml")));
  EXPECT_EQ(run.Data(), kDoc);
  const std::string port = std::to_string(server.Port());
  EXPECT_EQ(run.worker->TriedUrls(),
            (std::vector<std::string>{"https://127.0.0.1:" + port + "/old/patch.xml",
                                      "http://127.0.0.1:" + port + "/old/patch.xml"}));
  const std::vector<test::HttpRequest> requests = server.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].line, "GET /old/patch.xml HTTP/1.1");
  EXPECT_EQ(requests[0].Header("Accept"), kUpdateAccept);
  EXPECT_EQ(requests[0].Header("User-Agent"), "ignset/108");
}

TEST_F(UpdateWorker, ProxyFromTheEnvironmentGetsTheRequestInProxyForm) {
  HttpTestServer proxy;
  proxy.Set(HttpTestServer::Mode::Serve, 200, kDoc);
  const std::string target = "http://127.0.0.1:" + std::to_string(test::FreeLocalPort()) + "/old/patch.xml";
  ::setenv("http_proxy", proxy.Url().c_str(), 1);
  WorkerRun run;
  ASSERT_TRUE(run.Run(target));
  EXPECT_EQ(run.Data(), kDoc);
  const std::vector<test::HttpRequest> requests = proxy.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].line, "GET " + target + " HTTP/1.1");
}

TEST_F(UpdateWorker, NoProxyBypassesTheProxy) {
  HttpTestServer proxy;
  proxy.Set(HttpTestServer::Mode::Serve, 200, kDoc);
  ::setenv("http_proxy", proxy.Url().c_str(), 1);
  ::setenv("no_proxy", "localhost,127.0.0.1", 1);
  WorkerRun run;
  ASSERT_TRUE(run.Run("http://127.0.0.1:" + std::to_string(test::FreeLocalPort()) + "/old/patch.xml"));
  EXPECT_FALSE(run.state->HasData());
  EXPECT_EQ(proxy.Connections(), 0);
}

TEST_F(UpdateWorker, StopEndsASilentTransferWithinTheJoinLimit) {
  HttpTestServer server;
  server.Set(HttpTestServer::Mode::Silent);
  test::App();
  auto state = std::make_shared<CUpdateState>();
  TUpdateWorker worker(state, server.Url("/old/patch.xml"));
  worker.start();
  state->Request();
  ASSERT_TRUE(test::WaitFor([&] { return !server.Requests().empty(); }, 20000));
  EXPECT_TRUE(worker.Stop());
  EXPECT_TRUE(worker.isFinished());
  EXPECT_FALSE(state->HasData());
}

// ---- HTTPS ----------------------------------------------------------------------

bool PortAnswers(int port) {
  int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(uint16_t(port));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
  ::close(fd);
  return ok;
}

class TlsServer : public ProxyEnvironment {
 protected:
  void SetUp() override {
    ProxyEnvironment::SetUp();
    test::App();
    if (!QSslSocket::supportsSsl()) GTEST_SKIP() << "Qt has no TLS backend here (libssl missing?)";
    const QString openssl = QStandardPaths::findExecutable("openssl");
    if (openssl.isEmpty()) GTEST_SKIP() << "openssl is not installed (scripts/install-deps installs it)";
    ASSERT_TRUE(dir_.isValid());
    QProcess req;
    req.setWorkingDirectory(dir_.path());
    req.start(openssl,
              {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", "key.pem", "-out", "cert.pem",
               "-days", "2", "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1"});
    ASSERT_TRUE(req.waitForFinished(60000));
    ASSERT_EQ(req.exitCode(), 0) << req.readAllStandardError().toStdString();
    QDir(dir_.path()).mkpath("old");
    QFile doc(dir_.path() + "/old/patch.xml");
    ASSERT_TRUE(doc.open(QIODevice::WriteOnly));
    // -HTTP serves the file as the whole answer, so it carries its length:
    // without one the client waits for a close that s_server leaves to it.
    doc.write(("HTTP/1.0 200 OK\r\nContent-Type: text/xml\r\nContent-Length: " + std::to_string(kDoc.size()) +
               "\r\n\r\n" + kDoc)
                  .c_str());
    doc.close();
    port_ = test::FreeLocalPort();
    server_.setWorkingDirectory(dir_.path());
    server_.start(openssl, {"s_server", "-HTTP", "-accept", "127.0.0.1:" + QString::number(port_), "-cert",
                            "cert.pem", "-key", "key.pem", "-quiet"});
    ASSERT_TRUE(server_.waitForStarted(10000));
    ASSERT_TRUE(test::WaitFor([&] { return PortAnswers(port_); }, 10000)) << "s_server did not start";
  }
  void TearDown() override {
    if (server_.state() != QProcess::NotRunning) {
      server_.kill();
      server_.waitForFinished(5000);
    }
    ProxyEnvironment::TearDown();
  }
  std::string Url(const char* scheme) const {
    return std::string(scheme) + "://127.0.0.1:" + std::to_string(port_) + "/old/patch.xml";
  }
  QTemporaryDir dir_;
  QProcess server_;
  int port_ = 0;
};

TEST_F(TlsServer, TrustedCertificateReadsTheDocument) {
  ::setenv("SSL_CERT_FILE", (dir_.path() + "/cert.pem").toLocal8Bit().constData(), 1);
  WorkerRun run;
  ASSERT_TRUE(run.Run(Url("https")));
  EXPECT_EQ(run.Data(), kDoc);
  // An http address is tried as https first and read there.
  WorkerRun upgraded;
  ASSERT_TRUE(upgraded.Run(Url("http")));
  EXPECT_EQ(upgraded.Data(), kDoc);
  EXPECT_EQ(upgraded.worker->TriedUrls(), std::vector<std::string>{Url("https")});
}

TEST_F(TlsServer, UntrustedCertificateGivesNoDataAndNoPlainHttp) {
  WorkerRun run;
  ASSERT_TRUE(run.Run(Url("http")));
  EXPECT_FALSE(run.state->HasData());
  EXPECT_EQ(run.worker->TriedUrls(), std::vector<std::string>{Url("https")});
}

}  // namespace
}  // namespace ign
