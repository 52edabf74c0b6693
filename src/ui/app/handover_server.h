#pragma once
// The running window's local socket, one line per message: the bootloader
// program's port messages ("<port> <code>") and the requests of a second
// start of ignset ("OPEN <path>", "SHOW").
#include <QLocalServer>
#include <functional>

#include "core/device/handover.h"

namespace ign {

class THandoverServer : public QObject {
 public:
  using Handler = std::function<void(const HandoverMessage&)>;
  using InstanceHandler = std::function<void(const InstanceRequest&)>;
  THandoverServer(QObject* parent, const std::string& socketPath, Handler handler,
                  InstanceHandler instanceHandler = {});
  ~THandoverServer() override;
  bool Listening() const { return server_.isListening(); }

 private:
  void Accept();
  void TakeLine(std::string_view line);
  QLocalServer server_;
  Handler handler_;
  InstanceHandler instanceHandler_;
};

// A second start: hands its file (or, with none, "come to the front") to the
// window that listens on socketPath. False when none listens there: this
// start then becomes the running window. absoluteFile must pass FormatOpenFile.
bool HandToRunningInstance(const std::string& socketPath, const std::string& absoluteFile);

}  // namespace ign
