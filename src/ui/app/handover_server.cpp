#include "ui/app/handover_server.h"

#include <QLocalSocket>

namespace ign {

namespace {
constexpr qint64 kMaxLine = qint64(kHandoverMaxLine);  // anything longer is dropped
}

THandoverServer::THandoverServer(QObject* parent, const std::string& socketPath, Handler handler,
                                 InstanceHandler instanceHandler)
    : QObject(parent), handler_(std::move(handler)), instanceHandler_(std::move(instanceHandler)) {
  const QString path = QString::fromStdString(socketPath);
  // A socket left behind by a program that died would block the name.
  QLocalServer::removeServer(path);
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  server_.listen(path);
  connect(&server_, &QLocalServer::newConnection, this, &THandoverServer::Accept);
}

THandoverServer::~THandoverServer() { server_.close(); }

void THandoverServer::Accept() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      while (socket->canReadLine()) {
        const QByteArray line = socket->readLine(kMaxLine + 1);
        TakeLine(std::string_view(line.constData(), size_t(line.size())));
      }
      if (socket->bytesAvailable() > kMaxLine) socket->abort();
    });
  }
}

void THandoverServer::TakeLine(std::string_view line) {
  if (auto m = ParseHandover(line)) {
    handler_(*m);
  } else if (auto request = ParseInstanceRequest(line)) {
    if (instanceHandler_) instanceHandler_(*request);
  }
}

bool HandToRunningInstance(const std::string& socketPath, const std::string& absoluteFile) {
  return SendHandoverLine(absoluteFile.empty() ? FormatShowWindow() : FormatOpenFile(absoluteFile),
                          socketPath);
}

}  // namespace ign
