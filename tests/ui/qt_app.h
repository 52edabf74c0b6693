#pragma once
// One QApplication for every test of an executable, and waiting for a
// condition with a hard limit while the event loop runs.
#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <cstdlib>
#include <functional>

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

// Runs the event loop until done() holds or limitMs pass; returns done().
inline bool WaitFor(const std::function<bool()>& done, int limitMs = 10000) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > limitMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(5);
  }
  return true;
}

}  // namespace ign::test
