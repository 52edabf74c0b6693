// The window and ignctl on one simulated unit: the port is the window's while
// it holds the unit, ignctl is turned away at once and the window's link never
// notices; a port another program holds is shown as in use and taken when it
// is free. The hand-over stays the way to lend the unit on purpose.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QAction>
#include <QLabel>
#include <QProcess>

#include <fstream>
#include <iterator>

#include "core/device/engine.h"
#include "form_fixture.h"
#include "tests/support/sim_process.h"

namespace ign {
namespace {

using test::WaitFor;

class PortInUseTest : public test::FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    ::setenv("IGN_TRACE_FILE", dir_.File("trace.log").c_str(), 1);
  }
  void TearDown() override {
    FormFixture::TearDown();
    ::unsetenv("IGN_TRACE_FILE");
  }

  std::unique_ptr<test::SimProcess> StartUnit(int com) {
    test::SimOptions options;
    options.com = com;
    options.image = dir_.File("unit.bin");
    auto sim = std::make_unique<test::SimProcess>(dir_.File("ports"), options);
    EXPECT_TRUE(sim->ready()) << sim->errorOutput();
    return sim;
  }

  struct Ended {
    int exitCode = -1;  // -1: still running at the cap, or did not start
    std::string err;
  };
  // Runs ignctl to its end while the window keeps ticking; watch() runs on
  // every turn of the event loop.
  Ended Ignctl(const QStringList& args, const std::function<void()>& watch = {}) {
    QProcess p;
    // ignctl keeps no trace of its own in the window's trace file.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("IGN_TRACE_FILE");
    p.setProcessEnvironment(env);
    p.start(QString::fromUtf8(IGN_BINARY_DIR) + "/src/cli/ignctl", args);
    const bool done = WaitFor(
        [&] {
          if (watch) watch();
          return p.state() == QProcess::NotRunning;
        },
        30000);
    Ended e;
    if (!done) {
      p.kill();
      p.waitForFinished(5000);
      return e;
    }
    if (p.exitStatus() == QProcess::NormalExit) e.exitCode = p.exitCode();
    e.err = QString::fromUtf8(p.readAllStandardError()).toStdString();
    return e;
  }

  std::string Trace() {
    std::ifstream f(dir_.File("trace.log"));
    return std::string(std::istreambuf_iterator<char>(f), {});
  }
  static int Occurrences(const std::string& text, const std::string& part) {
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
  }
};

TEST_F(PortInUseTest, IgnctlIsTurnedAwayAndTheWindowKeepsItsLink) {
  auto sim = StartUnit(3);
  TMainForm& f = Start();
  f.show();
  QAction* read = Find<QAction>("MenuRead");
  ASSERT_TRUE(WaitFor([&] { return read->isEnabled(); }, 30000)) << "no connection";
  ASSERT_EQ(f.Engine().Com().ConnectedPort(), 3);
  const std::string connectedText = Find<QLabel>("LabelConnection")->text().toStdString();
  ASSERT_NE(connectedText.find("connected"), std::string::npos) << connectedText;
  // A link that drops and comes back opens the port again.
  const int opensBefore = Occurrences(Trace(), "OPEN COM3");

  // Anything else than connected on port 3, seen on any turn of the loop.
  int drops = 0;
  auto watch = [&] { drops += !(f.Engine().UnitConnected() && f.Engine().Com().ConnectedPort() == 3); };

  const Ended one = Ignctl(
      {"read", "--port", "3", "--timeout", "120", "-o", QString::fromStdString(dir_.File("x.bin"))}, watch);
  EXPECT_EQ(one.exitCode, 6) << one.err;
  EXPECT_NE(one.err.find("COM3: in use by another program"), std::string::npos) << one.err;

  const Ended search = Ignctl(
      {"read", "--port", "0", "--timeout", "3", "-o", QString::fromStdString(dir_.File("x.bin"))}, watch);
  EXPECT_EQ(search.exitCode, 6) << search.err;
  EXPECT_NE(search.err.find("COM3: in use by another program"), std::string::npos) << search.err;
  EXPECT_FALSE(std::ifstream(dir_.File("x.bin")).good()) << "nothing was read";

  // The window goes on reading the monitor.
  const uint32_t before = f.Engine().Com().FramesSent();
  ASSERT_TRUE(WaitFor(
      [&] {
        watch();
        return f.Engine().Com().FramesSent() >= before + 3;
      },
      10000));
  EXPECT_EQ(drops, 0);
  const std::string trace = Trace();
  EXPECT_EQ(Occurrences(trace, "CLOSE COM3"), 0) << trace;
  EXPECT_EQ(Occurrences(trace, "LOST"), 0) << trace;
  EXPECT_EQ(Occurrences(trace, "OPEN COM3"), opensBefore) << trace;
  EXPECT_EQ(Find<QLabel>("LabelConnection")->text().toStdString(), connectedText);

  // On purpose: the window lends the port and takes it back.
  const Ended release = Ignctl({"handover", "--port", "3", "release"});
  ASSERT_EQ(release.exitCode, 0) << release.err;
  ASSERT_TRUE(WaitFor([&] { return !read->isEnabled(); }, 10000));
  const Ended lent = Ignctl({"read", "--port", "3", "-o", QString::fromStdString(dir_.File("lent.bin"))});
  EXPECT_EQ(lent.exitCode, 0) << lent.err;
  const Ended takeBack = Ignctl({"handover", "--port", "3", "takeback"});
  ASSERT_EQ(takeBack.exitCode, 0) << takeBack.err;
  EXPECT_TRUE(WaitFor([&] { return read->isEnabled(); }, 30000));
}

TEST_F(PortInUseTest, HeldPortIsShownInUseAndTakenWhenFree) {
  auto sim = StartUnit(3);
  // Another serial program has the port.
  const int holder = ::open(sim->linkPath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  ASSERT_GE(holder, 0);
  ASSERT_EQ(::flock(holder, LOCK_EX | LOCK_NB), 0);

  TMainForm& f = Start();
  f.show();
  QLabel* connection = Find<QLabel>("LabelConnection");
  ASSERT_TRUE(WaitFor([&] { return connection->text() == "COM 3: in use by another program"; }, 10000))
      << connection->text().toStdString();
  QAction* item = Find<QAction>("MenuCom4");
  ASSERT_TRUE(WaitFor([&] { return item->text() == "COM&3  (in use)"; }, 5000)) << item->text().toStdString();
  EXPECT_TRUE(item->isEnabled());
  SetLanguage(LNG_DEUTSCH);
  f.DeviceCommands().BuildComMenu();
  EXPECT_EQ(item->text().toStdString(), "COM&3  (belegt)");
  SetLanguage(LNG_ENGLISH);
  f.DeviceCommands().BuildComMenu();
  EXPECT_FALSE(Find<QAction>("MenuRead")->isEnabled());

  ::close(holder);
  ASSERT_TRUE(WaitFor([&] { return Find<QAction>("MenuRead")->isEnabled(); }, 30000));
  EXPECT_EQ(f.Engine().Com().ConnectedPort(), 3);
  ASSERT_TRUE(WaitFor([&] { return item->text() == "COM&3"; }, 5000)) << item->text().toStdString();
  const std::string trace = Trace();
  EXPECT_NE(trace.find("IN USE - skip port COM3"), std::string::npos) << trace;
  EXPECT_EQ(trace.find("FAIL PORT"), std::string::npos) << trace;
}

}  // namespace
}  // namespace ign
