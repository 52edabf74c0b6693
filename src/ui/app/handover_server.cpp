#include "ui/app/handover_server.h"

#include <QLocalSocket>

namespace ign {

namespace {
constexpr qint64 kMaxLine = 64;  // a message line is far shorter; anything longer is dropped
}

THandoverServer::THandoverServer(QObject* parent, const std::string& socketPath, Handler handler)
    : QObject(parent), handler_(std::move(handler)) {
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
        const QByteArray line = socket->readLine(kMaxLine);
        if (auto m = ParseHandover(std::string_view(line.constData(), size_t(line.size())))) handler_(*m);
      }
      if (socket->bytesAvailable() > kMaxLine) socket->abort();
    });
  }
}

}  // namespace ign
