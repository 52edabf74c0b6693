// ignset with a change driven from outside, for the tests that run the window
// as a process (a committed change that must survive kill -9, the start-up
// import beside the program):
//
//   IGN_TEST_COMMIT=<byte>=<value>   after the first initialised tick: set
//   image byte <byte> (0..1049) of the edited image to <value> and commit it
//   (the undo snapshot writes the settings), then toggle the player panel
//   (which writes them again). "COMMITTED" then goes to standard output.
//   IGN_TEST_PROGRAM=<byte>=<value>  once a unit is connected: read it, set
//   the byte in what was read and program it; "PROGRAMMING" goes to standard
//   output as the write starts.
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <memory>

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

// Read, then Program with one byte changed, step by step on a poll timer.
class ProgramHook {
 public:
  ProgramHook(ign::TMainForm& form, const char* request) : form_(form) {
    if (std::sscanf(request, "%u=%u", &address_, &value_) != 2 || address_ >= unsigned(ign::RS_LEN_EXE) ||
        value_ > 255)
      std::fprintf(stderr, "IGN_TEST_PROGRAM: expected <byte>=<value>\n");
  }
  // True once the programming is under way.
  bool Step() {
    ign::CCommMachine& m = form_.Session().Machine();
    const ign::Outcome& o = m.LastOutcome();
    if (stage_ == 0 && m.Connected() && m.Idle() && o.operation == ign::Operation::Check) {
      m.RequestRead();
      stage_ = 1;
    } else if (stage_ == 1 && o.operation == ign::Operation::Read && ign::Succeeded(o.result)) {
      form_.Params().Working()[address_] = uint8_t(value_);
      form_.CommitImageChange();
      form_.Session().Program(true);
      stage_ = 2;
    } else if (stage_ == 2 && m.State() == ign::CommState::ProgramWrite) {
      std::printf("PROGRAMMING\n");
      std::fflush(stdout);
      return true;
    }
    return false;
  }

 private:
  ign::TMainForm& form_;
  unsigned address_ = 0, value_ = 0;
  int stage_ = 0;
};

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
    // start by value: the lambda outlives this block.
    QObject::connect(&poll, &QTimer::timeout, [&, start] {
      if (!form.Initialised() || form.TickCount() < start + 2) return;
      poll.stop();
      Commit(form, request);
    });
    poll.start(20);
  }
  QTimer programPoll;
  const char* program = std::getenv("IGN_TEST_PROGRAM");
  std::unique_ptr<ProgramHook> hook;
  if (program && *program) {
    hook = std::make_unique<ProgramHook>(form, program);
    QObject::connect(&programPoll, &QTimer::timeout, [&] {
      if (form.Initialised() && hook->Step()) programPoll.stop();
    });
    programPoll.start(5);
  }
  return app.exec();
}
