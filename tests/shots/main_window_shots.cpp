// The main window's states.
#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <memory>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "core/device/engine.h"
#include "core/text/language.h"
#include "core/text/relabel.h"
#include "tests/shots/shots.h"
#include "tests/support/sim_process.h"
#include "ui/app/main_form.h"
#include "ui/app/main_menu.h"

namespace ign::shots {

namespace {

std::unique_ptr<TMainForm> Open() {
  auto form = std::make_unique<TMainForm>(QStringList{"ignset", "nopatchcheck"});
  form->FormCreate();
  form->move(0, 0);
  form->show();
  Settle(500);
  return form;
}

}  // namespace

int MainWindowShots(const QString& dir) {
  int failed = 0;
  {
    Sandbox box;
    SetLanguage(LNG_ENGLISH);
    auto form = Open();
    failed += !SaveScreen(dir, "main-no-unit");
  }
  for (int lng : {LNG_ENGLISH, LNG_CESKY}) {
    // The About box over the window, shown while the picture is taken.
    Sandbox box;
    SetLanguage(lng);
    auto form = Open();
    form->SetAboutHook([&](QDialog& about) {
      about.move(300, 200);
      about.show();
      failed += !SaveScreen(dir, lng == LNG_ENGLISH ? "about" : "about-czech");
      about.hide();
    });
    form->MainMenu().Item("MenuAbout")->trigger();
    SetLanguage(LNG_ENGLISH);
  }
  {
    Sandbox box;
    test::SimProcess sim(box.Ports(), {.com = 3});
    auto form = Open();
    CEngine& e = form->Engine();
    const bool checked =
        Settle([&] { return e.Machine().LastOutcome().operation == Operation::Check; }, 20000);
    const uint32_t before = e.Machine().LastOutcome().sequence;
    e.Machine().RequestRead();
    const bool read = Settle(
        [&] {
          const Outcome& o = e.Machine().LastOutcome();
          return o.sequence != before && o.operation == Operation::Read;
        },
        20000);
    if (!checked || !read) std::fprintf(stderr, "main-read: the simulated unit did not answer\n");
    failed += !SaveScreen(dir, "main-read");

    ChangeLanguage(LNG_CESKY);
    Settle(200);
    failed += !SaveScreen(dir, "main-czech");
    ChangeLanguage(LNG_ENGLISH);

    QMenu* com = form->MainMenu().Menu("MenuCom");
    if (com) {
      form->menuBar()->setActiveAction(com->menuAction());
      Settle(300);
      failed += !SaveScreen(dir, "main-com-menu");
      com->hide();
    }
  }
  {
    // A Program cut off by the unit going away: the red connection slot, the
    // cut-off result and the box that says what it means.
    Sandbox box;
    auto sim = std::make_unique<test::SimProcess>(
        box.Ports(), test::SimOptions{.com = 3, .extra = {"--pace", "--delay-ms", "15"}});
    auto form = Open();
    CEngine& e = form->Engine();
    Settle([&] { return e.Machine().LastOutcome().operation == Operation::Check; }, 20000);
    e.Machine().RequestProgram();
    Settle([&] { return e.Machine().State() == CommState::ProgramWrite && e.Com().CurrentAddress() > 400; },
           20000);
    sim.reset();
    Settle([&] { return form->findChild<QMessageBox*>("CutOffMessage") != nullptr; }, 5000);
    Settle(300);
    if (auto* message = form->findChild<QMessageBox*>("CutOffMessage")) message->move(260, 260);
    failed += !SaveScreen(dir, "main-unit-lost");
  }
  {
    // Another program holds the unit's line: the COM menu says so.
    Sandbox box;
    test::SimProcess sim(box.Ports(), {.com = 3});
    const int holder = ::open(sim.linkPath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (holder >= 0) ::flock(holder, LOCK_EX | LOCK_NB);
    auto form = Open();
    Settle([&] { return form->Engine().Com().PortHeld(3); }, 10000);
    Settle(300);
    if (QMenu* com = form->MainMenu().Menu("MenuCom")) {
      form->menuBar()->setActiveAction(com->menuAction());
      Settle(300);
      failed += !SaveScreen(dir, "main-com-port-in-use");
      com->hide();
    }
    if (holder >= 0) ::close(holder);
  }
  {
    // Help > Contents: the guide that came with the program in its own window.
    Sandbox box;
    auto form = Open();
    form->MainMenu().Item("MenuContens")->trigger();
    if (auto* help = form->findChild<QDialog*>("HelpWindow")) help->move(120, 60);
    Settle(400);
    failed += !SaveScreen(dir, "help-window");
  }
  return failed;
}

}  // namespace ign::shots
