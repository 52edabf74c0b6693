#pragma once
// The session's messages and the checks' questions in message boxes. Messages
// are shown after the tick that recorded them (a queued call), never inside
// it. While a box that holds the session is open, the timer keeps running but
// the session's engine takes no step: nothing happens to the unit until the
// tuner has read the message or answered the question.
#include <QObject>
#include <string>

#include "core/session/preflight.h"

class QWidget;

namespace ign {

class CSession;

class TSessionBoxes : public QObject {
 public:
  TSessionBoxes(QWidget* window, CSession& session);

  // The session recorded messages: they are shown once the current call returns.
  void PresentLater();

  // The reason of a refused operation, in a box; the engine waits under it.
  void Tell(const Preflight& check);
  // The question of a check that asks first; true when the tuner confirmed.
  bool Ask(const Preflight& check);
  // A holding box is open.
  bool Open() const { return open_ > 0; }

 private:
  void Present();
  int Exec(class QMessageBox& box);

  QWidget* window_;
  CSession& session_;
  bool queued_ = false;
  int open_ = 0;
};

}  // namespace ign
