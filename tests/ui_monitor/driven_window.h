#pragma once
// The main window of a window benchmark: private folders, a simulated unit
// on COM3, and the main timer stopped, so that the bench drives the ticks
// itself on the timer's 55 ms schedule and times each one.
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/device/engine.h"
#include "tests/support/private_folders.h"
#include "tests/support/sim_process.h"
#include "tests/support/tick_figures.h"
#include "ui/app/main_form.h"

namespace ign::test {

// --seconds S of the command line (at least 5), else `fallback`.
inline int SecondsArgument(int argc, char** argv, int fallback) {
  for (int i = 1; i + 1 < argc; ++i)
    if (std::string(argv[i]) == "--seconds") return std::max(5, std::atoi(argv[i + 1]));
  return fallback;
}

class TDrivenWindow {
 public:
  // The unit started with the extra options and the window created; false
  // (with a line on standard error) when the unit does not start.
  bool Start(const std::vector<std::string>& simExtra) {
    root_ = dir_.path().toStdString();
    UsePrivateFolders(root_);
    sim_ = std::make_unique<SimProcess>(root_ + "/ports", SimOptions{.com = 3, .extra = simExtra});
    if (!sim_->ready()) {
      std::fprintf(stderr, "the simulated unit did not start\n");
      return false;
    }
    form_ = std::make_unique<TMainForm>(QStringList{"ignset", "nopatchcheck"});
    form_->FormCreate();
    return true;
  }

  // Shows the window and stops its timer: from now on the bench ticks.
  void Show() {
    form_->show();
    for (QTimer* t : form_->findChildren<QTimer*>())
      if (t->interval() == 55) t->stop();
  }

  // Ticks until the unit is connected (8 s); false with a line on standard
  // error when it is not.
  bool Connect() {
    TickFor(8000);
    if (form_->Engine().Machine().Connected()) return true;
    std::fprintf(stderr, "no connection with the simulated unit\n");
    return false;
  }

  // Ticks for `ms` of wall time, one tick every 55 ms with the events in
  // between; `each` gets the time of every tick in ms.
  void TickFor(int ms, const std::function<void(double)>& each = {}) {
    QElapsedTimer wall;
    wall.start();
    while (wall.elapsed() < ms) {
      const auto t0 = std::chrono::steady_clock::now();
      form_->Timer1Timer();
      if (each) each(MsSince(t0));
      QElapsedTimer idle;
      idle.start();
      while (idle.elapsed() < 55) QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
  }

  TMainForm& Form() { return *form_; }
  const std::string& Root() const { return root_; }

 private:
  QTemporaryDir dir_;
  std::string root_;
  std::unique_ptr<SimProcess> sim_;
  std::unique_ptr<TMainForm> form_;
};

}  // namespace ign::test
