// The update check of the window end to end against a scripted server on
// 127.0.0.1: the offer, its three choices and what a restart remembers, the
// switches that keep the program off the network, server faults, the
// download, and ignset as a process stopped during a silent transfer.
#include <QAction>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTextEdit>
#include <QToolButton>
#include <csignal>

#include "core/device/engine.h"
#include "core/params/image.h"
#include "tests/support/sim_process.h"
#include "update_fixture.h"

namespace ign {
namespace {

using test::HttpTestServer;
using test::OfferDocument;
using test::UpdateFixture;
using test::WaitFor;

const std::string kSevenDoc = OfferDocument(
    7,
    "<english>Version 109 is out.</english><czech>Nov\xe1 verze 109.</czech>"
    "<web>https://example.test/news</web><download>https://example.test/ign_setup.exe</download>");

QPushButton* Button(TFormPatch* d, const char* name) { return d->findChild<QPushButton*>(name); }

// Seen by the window when it closes in the ordinary way.
class CloseWatcher : public QObject {
 public:
  std::function<void()> onClose;
  bool closed = false;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Close && !closed) {
      closed = true;
      if (onClose) onClose();
    }
    return false;
  }
};

TEST_F(UpdateFixture, OfferedOnceFromTick41AndDismissedForGood) {
  server_.Set(HttpTestServer::Mode::Serve, 200, kSevenDoc);
  TMainForm& f = Start();
  uint32_t requestTick = 0;
  std::string hintWhileAsking;
  ASSERT_TRUE(WaitFor(
      [&] {
        if (!requestTick && GetRequests() > 0) {
          requestTick = f.TickCount();
          hintWhileAsking = Panel0();
        }
        return Dialog() != nullptr;
      },
      30000))
      << Diagnosis();
  EXPECT_GE(requestTick, 41u);
  EXPECT_EQ(hintWhileAsking, "Trying updates...");
  EXPECT_EQ(GetRequests(), 1);
  const test::HttpRequest r = server_.Requests().back();
  EXPECT_EQ(r.line, "GET /old/patch.xml HTTP/1.1");
  EXPECT_EQ(r.Header("Accept"), "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8");
  EXPECT_EQ(r.Header("User-Agent"), "ignset/108");

  TFormPatch* d = Dialog();
  EXPECT_TRUE(d->isVisible());
  EXPECT_TRUE(d->isModal());
  EXPECT_EQ(d->findChild<QTextEdit*>("RichEditPatch")->toPlainText(), "Version 109 is out.");
  for (const char* name :
       {"ButtonPatchDownload", "ButtonPatchWWW", "ButtonPatchCancel1", "ButtonPatchCancel"})
    EXPECT_TRUE(Button(d, name)->isVisible()) << name;
  Button(d, "ButtonPatchCancel1")->click();
  EXPECT_EQ(Check().Dismissed(), 7);
  EXPECT_EQ(Panel0(), "");
  EXPECT_NE(ReadSettingsFile("application.ini").find("UPDATEDISMISSED=7\r\n"), std::string::npos);

  // A restart fetches the same document and shows nothing.
  form_.reset();
  Start();
  ASSERT_TRUE(WaitHandled()) << Diagnosis();
  EXPECT_EQ(GetRequests(), 2);
  EXPECT_TRUE(WaitFor([&] { return form_->TickCount() > 5 + 41; }));
  EXPECT_EQ(Dialog(), nullptr);
  EXPECT_EQ(Panel0(), "");
}

TEST_F(UpdateFixture, RemindLaterOffersItAgainAtTheNextStart) {
  server_.Set(HttpTestServer::Mode::Serve, 200, kSevenDoc);
  Start({"ignset", "CESKY"});
  ASSERT_TRUE(WaitOffer()) << Diagnosis();
  EXPECT_EQ(Dialog()->findChild<QTextEdit*>("RichEditPatch")->toPlainText(), "Nová verze 109.");
  EXPECT_EQ(Dialog()->windowTitle(), "Aktualizace");
  Button(Dialog(), "ButtonPatchCancel")->click();
  EXPECT_EQ(Check().Dismissed(), 0);
  EXPECT_EQ(Panel0(), "");
  form_.reset();
  Start();
  ASSERT_TRUE(WaitOffer()) << Diagnosis();
  Dialog()->close();  // the frame's close: remind later
  EXPECT_EQ(Check().Dismissed(), 0);
}

struct SwitchCase {
  const char* name;
  QStringList args;
  const char* env;      // set to "1" before the start
  const char* iniLine;  // written to application.ini before the start
};

class UpdateSwitches : public UpdateFixture, public ::testing::WithParamInterface<SwitchCase> {};

TEST_P(UpdateSwitches, MakeNoConnection) {
  server_.Set(HttpTestServer::Mode::Serve, 200, kSevenDoc);
  const SwitchCase& c = GetParam();
  if (c.env) ::setenv(c.env, "1", 1);
  if (c.iniLine) WriteSettingsFile("application.ini", std::string("[FORM_HLAV]\r\n") + c.iniLine + "\r\n");
  TMainForm& f = Start(c.args);
  ASSERT_TRUE(WaitFor([&] { return f.TickCount() >= 41 + 20; }));
  EXPECT_EQ(server_.Connections(), 0);
  EXPECT_EQ(Check().State(), UpdateState::Idle);
  EXPECT_EQ(Panel0(), "");
  if (c.env) ::unsetenv(c.env);
}

INSTANTIATE_TEST_SUITE_P(
    Update, UpdateSwitches,
    ::testing::Values(SwitchCase{"NoPatchCheck", {"ignset", "nopatchcheck"}, nullptr, nullptr},
                      SwitchCase{"Environment", {"ignset"}, "IGN_NO_UPDATE_CHECK", nullptr},
                      SwitchCase{"MenuSwitch", {"ignset"}, nullptr, "UPDATECHECK=0"}),
    [](const auto& i) { return std::string(i.param.name); });

TEST_F(UpdateFixture, NoPatchCheckAsSecondArgumentStillChecks) {
  server_.Set(HttpTestServer::Mode::Serve, 200, kSevenDoc);
  Start({"ignset", "ENGLISH", "nopatchcheck"});
  EXPECT_TRUE(WaitOffer()) << Diagnosis();
}

struct FaultCase {
  const char* name;
  HttpTestServer::Mode mode;
  int status;
  size_t bodyBytes;      // the body: a valid offer padded to this size (0: the offer as it is)
  bool refused = false;  // the address names a port nobody listens on
  bool redirectToRefused = false;
};

class ServerFaults : public UpdateFixture, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(ServerFaults, NoOfferAndTheWindowGoesOn) {
  const FaultCase& c = GetParam();
  std::string body = kSevenDoc;
  if (c.bodyBytes > body.size()) body.append(c.bodyBytes - body.size(), ' ');
  const std::string refused = "http://127.0.0.1:" + std::to_string(test::FreeLocalPort()) + "/old/patch.xml";
  server_.Set(c.mode, c.status, body, c.redirectToRefused ? refused : "");
  if (c.refused) ::setenv("IGN_UPDATE_URL", refused.c_str(), 1);
  TMainForm& f = Start();
  ASSERT_TRUE(WaitFor([&] { return Check().State() != UpdateState::Idle; }));
  const uint32_t asked = f.TickCount();
  ASSERT_TRUE(WaitHandled(40000)) << Diagnosis();
  // The window kept ticking while the transfer ran (a hanging one runs to
  // the transfer limit, ~180 ticks).
  if (c.mode == HttpTestServer::Mode::Silent || c.mode == HttpTestServer::Mode::Trickle) {
    EXPECT_GT(f.TickCount(), asked + 50);
  }
  ASSERT_TRUE(WaitFor([&] { return f.TickCount() > asked + 5; }));
  EXPECT_EQ(Dialog(), nullptr);
  EXPECT_EQ(Panel0(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Update, ServerFaults,
    ::testing::Values(FaultCase{"RefusedPort", HttpTestServer::Mode::Serve, 200, 0, true},
                      FaultCase{"Silent", HttpTestServer::Mode::Silent, 200, 0},
                      FaultCase{"OneBytePerSecond", HttpTestServer::Mode::Trickle, 200, 0},
                      FaultCase{"CloseMidBody", HttpTestServer::Mode::CloseMidBody, 200, 0},
                      FaultCase{"RedirectToNowhere", HttpTestServer::Mode::Redirect, 302, 0, false, true},
                      FaultCase{"RedirectLoop", HttpTestServer::Mode::RedirectLoop, 302, 0},
                      FaultCase{"NotFound", HttpTestServer::Mode::Serve, 404, 0},
                      FaultCase{"ServerError", HttpTestServer::Mode::Serve, 500, 0},
                      FaultCase{"OverTheCap", HttpTestServer::Mode::Serve, 200, 10'000'001}),
    [](const auto& i) { return std::string(i.param.name); });

struct DownloadCase {
  const char* address;
  const char* note;
};

class Download : public UpdateFixture, public ::testing::WithParamInterface<DownloadCase> {};

TEST_P(Download, OpensTheAddressShowsTheNoteAndCloses) {
  server_.Set(
      HttpTestServer::Mode::Serve, 200,
      OfferDocument(3, std::string("<english>t</english><download>") + GetParam().address + "</download>"));
  TMainForm& f = Start();
  CloseWatcher watcher;
  f.installEventFilter(&watcher);
  CatchLinks(true);
  ASSERT_TRUE(WaitOffer()) << Diagnosis();
  EXPECT_TRUE(Button(Dialog(), "ButtonPatchWWW")->isHidden());
  Button(Dialog(), "ButtonPatchDownload")->click();
  ASSERT_EQ(catcher_.urls.size(), 1u);
  EXPECT_EQ(catcher_.urls[0].toString().toStdString(), GetParam().address);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].caption, "Downloading");
  EXPECT_EQ(messages_[0].text, GetParam().note);
  ASSERT_TRUE(WaitFor([&] { return watcher.closed; }));
  EXPECT_EQ(Panel0(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Update, Download,
    ::testing::Values(
        DownloadCase{"https://example.test/ign_setup_109.exe", "After downloading run new installer."},
        DownloadCase{"http://example.test/ignset-109.zip",
                     "After downloading store new version to suitable location instead of current "
                     "version."}));

TEST_F(UpdateFixture, ADownloadThatCannotBeOpenedKeepsTheProgramOpen) {
  server_.Set(HttpTestServer::Mode::Serve, 200,
              OfferDocument(3, "<english>t</english><download>https://example.test/setup.exe</download>"));
  TMainForm& f = Start();
  CloseWatcher watcher;
  f.installEventFilter(&watcher);
  ASSERT_TRUE(WaitOffer()) << Diagnosis();
  Button(Dialog(), "ButtonPatchDownload")->click();  // offscreen, no handler: nothing opens
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].text, "Error by opening www link https://example.test/setup.exe !");
  const uint32_t after = f.TickCount();
  ASSERT_TRUE(WaitFor([&] { return f.TickCount() > after + 10; }));
  EXPECT_FALSE(watcher.closed);
}

TEST_F(UpdateFixture, DownloadWaitsForTheProgrammingToEnd) {
  test::SimOptions options;
  options.com = 2;
  test::SimProcess sim(dir_.File("ports"), options);
  ASSERT_TRUE(sim.ready()) << sim.errorOutput();
  server_.Set(HttpTestServer::Mode::Serve, 200,
              OfferDocument(3, "<english>t</english><download>https://example.test/setup.exe</download>"));
  TMainForm& f = Start();
  f.show();
  CatchLinks(true);
  auto* read = Find<QToolButton>("ButtonRead");
  auto* result = Find<QLabel>("LabelResult");
  ASSERT_TRUE(WaitFor([&] { return read->isEnabled() && result->text() == "Checking: OK"; }, 30000));
  read->click();  // the first read allows programming
  ASSERT_TRUE(WaitFor([&] { return result->text() == "Verify: OK"; }, 30000));
  ASSERT_TRUE(WaitOffer()) << Diagnosis();

  CloseWatcher watcher;
  CCommMachine& machine = f.Engine().Machine();
  const uint32_t before = machine.LastOutcome().sequence;
  Outcome atClose;
  bool idleAtClose = false;
  watcher.onClose = [&] {
    atClose = machine.LastOutcome();
    idleAtClose =
        machine.PendingRequest() == Request::None && int(machine.State()) < int(CommState::ReadFirst);
  };
  f.installEventFilter(&watcher);
  Find<QToolButton>("ButtonProgram")->click();
  // Asked for, or already started (an operation starts between ticks).
  ASSERT_TRUE(machine.PendingRequest() == Request::Program ||
              int(machine.State()) >= int(CommState::ReadFirst));
  Button(Dialog(), "ButtonPatchDownload")->click();
  ASSERT_TRUE(WaitFor([&] { return watcher.closed; }, 30000));
  // The window closed only once the programming had ended.
  EXPECT_NE(atClose.sequence, before);
  EXPECT_EQ(atClose.operation, Operation::Program);
  EXPECT_TRUE(idleAtClose);
}

// ---- ignset as a process ----------------------------------------------------------

TEST_F(UpdateFixture, TerminationDuringASilentTransferExitsAtOnce) {
  server_.Set(HttpTestServer::Mode::Silent);
  QProcess proc;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  proc.setProcessEnvironment(env);
  proc.setProgram(QString::fromLatin1(IGN_BINARY_DIR "/src/ui/ignset"));
  proc.start();
  ASSERT_TRUE(proc.waitForStarted(10000));
  ASSERT_TRUE(WaitFor([&] { return GetRequests() > 0; }, 30000)) << proc.readAllStandardError().toStdString();
  ::kill(pid_t(proc.processId()), SIGTERM);
  ASSERT_TRUE(proc.waitForFinished(int(2000 * test::TimeScale()))) << "still running 2 s after SIGTERM";
  EXPECT_EQ(proc.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(proc.exitCode(), 0);
}

}  // namespace
}  // namespace ign
