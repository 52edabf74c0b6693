#include "ui/app/signal_close.h"

#include <fcntl.h>
#include <unistd.h>
#include <QSocketNotifier>
#include <QWidget>
#include <csignal>

namespace ign {

namespace {

int g_pipe[2] = {-1, -1};

void OnSignal(int) {
  // Only async-signal-safe work here: one byte into the pipe.
  char c = 1;
  [[maybe_unused]] ssize_t n = ::write(g_pipe[1], &c, 1);
}

}  // namespace

void CloseOnTerminationSignals(QWidget* window) {
  if (g_pipe[0] >= 0 || ::pipe(g_pipe) != 0) return;
  for (int fd : g_pipe) ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
  auto* notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, window);
  QObject::connect(notifier, &QSocketNotifier::activated, window, [window] {
    char buf[16];
    while (::read(g_pipe[0], buf, sizeof buf) > 0) {
    }
    window->close();
  });
  struct sigaction sa {};
  sa.sa_handler = OnSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  for (int sig : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(sig, &sa, nullptr);
}

}  // namespace ign
