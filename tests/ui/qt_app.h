#pragma once
// One QApplication for every test of an executable, and waiting for a
// condition with a hard limit while the event loop runs.
#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <cstdlib>
#include <functional>

#include "tests/support/pacer.h"

namespace ign::test {

inline QApplication& App() {
  // UI tests never need a display.
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int argc = 1;
  static char name[] = "ignset-test";
  static char* argv[] = {name, nullptr};
  // Never destroyed: tearing Qt down among the exit handlers crashes.
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

// Runs the event loop until done() holds or the limit (scaled by
// IGN_TEST_TIME_SCALE) passes; returns done(). The loop sleeps until the next
// event (the window's timer ticks every 55 ms), checking done() after each.
inline bool WaitFor(const std::function<bool()>& done, int limitMs = 10000) {
  QDeadlineTimer deadline(static_cast<qint64>(limitMs * TimeScale()));
  QTimer wake;  // bounds each wait when no other event comes
  wake.start(50);
  while (!done()) {
    if (deadline.hasExpired()) return done();
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
  }
  return true;
}

}  // namespace ign::test
