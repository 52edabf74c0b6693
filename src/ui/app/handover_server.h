#pragma once
// Listens for the bootloader program's port messages on a local socket: one
// "<port> <code>" line per message.
#include <QLocalServer>
#include <functional>

#include "core/device/handover.h"

namespace ign {

class THandoverServer : public QObject {
 public:
  using Handler = std::function<void(const HandoverMessage&)>;
  THandoverServer(QObject* parent, const std::string& socketPath, Handler handler);
  ~THandoverServer() override;
  bool Listening() const { return server_.isListening(); }

 private:
  void Accept();
  QLocalServer server_;
  Handler handler_;
};

}  // namespace ign
