// ignset with a change driven from outside, for the tests that run the window
// as a process (a committed change that must survive kill -9, the start-up
// import beside the program):
//
//   IGN_TEST_COMMIT=<byte>=<value>   after the first initialised tick: set
//   image byte <byte> (0..1049) of the edited image to <value> and commit it
//   (the undo snapshot writes the settings), then toggle the player panel
//   (which writes them again). "COMMITTED" then goes to standard output.
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "ui/app/main_form.h"
#include "ui/app/signal_close.h"

namespace {

void Commit(ign::TMainForm& form, const char* request) {
  unsigned address = 0, value = 0;
  if (std::sscanf(request, "%u=%u", &address, &value) != 2 || address >= unsigned(ign::RS_LEN_EXE) ||
      value > 255) {
    std::fprintf(stderr, "IGN_TEST_COMMIT: expected <byte>=<value>\n");
    return;
  }
  form.Params().Working()[address] = uint8_t(value);
  form.CommitImageChange();
  form.MenuMonitorPlayerClick();
  std::printf("COMMITTED\n");
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ign::TMainForm form(app.arguments(), ign::ReadRunConfig());
  form.FormCreate();
  ign::CloseOnTerminationSignals(&form);
  form.show();
  QTimer poll;
  const char* request = std::getenv("IGN_TEST_COMMIT");
  if (request && *request) {
    const uint32_t start = form.TickCount();
    QObject::connect(&poll, &QTimer::timeout, [&] {
      if (!form.Initialised() || form.TickCount() < start + 2) return;
      poll.stop();
      Commit(form, request);
    });
    poll.start(20);
  }
  return app.exec();
}
