// ignset killed with -9 while it programs a unit: the unit history opens
// afterwards, sound, with every entry made before the kill whole.
#include <QProcess>
#include <csignal>

#include "core/history/history_store.h"
#include "core/params/defaults.h"
#include "tests/support/sim_process.h"
#include "tests/ui/form_fixture.h"

namespace ign {
namespace {

using test::FormFixture;
using test::WaitFor;

TEST_F(FormFixture, KillNineDuringAProgramLeavesTheHistoryWhole) {
  const std::string path = SettingsFile("unit-history.sqlite");
  {
    CHistoryStore store;
    ASSERT_TRUE(store.Open(path).Ok());
    for (int i = 0; i < 3; ++i) {
      HistoryRecord r;
      r.identity = "SN-EARLIER";
      r.event = HistoryEvent::Program;
      r.time = 100 + i;
      r.held = StartupImage();
      r.given = StartupImage();
      (*r.given)[Adrb::LIMITER] = uint8_t(100 + i);
      ASSERT_TRUE(store.Add(r).Ok());
    }
  }
  test::SimOptions options;
  options.com = 2;
  test::SimProcess sim(dir_.File("ports"), options);
  ASSERT_TRUE(sim.ready()) << sim.errorOutput();

  QProcess ignset;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("IGN_TEST_PROGRAM", "172=100");
  ignset.setProcessEnvironment(env);
  ignset.setProgram(QString::fromLatin1(IGN_BINARY_DIR "/tests/ignset_hooked"));
  ignset.start();
  ASSERT_TRUE(ignset.waitForStarted(10000));
  QByteArray out;
  ASSERT_TRUE(
      WaitFor([&] { return out.append(ignset.readAllStandardOutput()).contains("PROGRAMMING"); }, 60000))
      << ignset.readAllStandardError().toStdString();
  ::kill(pid_t(ignset.processId()), SIGKILL);
  ASSERT_TRUE(ignset.waitForFinished(10000));

  CHistoryStore store;
  const StoreStatus opened = store.Open(path);
  ASSERT_TRUE(opened.Ok()) << opened.detail;
  EXPECT_TRUE(opened.movedAside.empty());
  {
    CSqliteDb db;
    ASSERT_EQ(db.Open(path), 0);
    CSqliteStatement check(db, "PRAGMA integrity_check");
    check.Step();
    EXPECT_EQ(check.Text(0), "ok");
  }
  // The three entries before, and the Read that came before the Program.
  const std::vector<HistoryRow> rows = store.List();
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0].event, HistoryEvent::Read);
  for (const HistoryRow& r : rows) {
    const std::optional<HistoryEntry> e = store.Entry(r.id);
    ASSERT_TRUE(e && e->held) << r.id;
    EXPECT_EQ(r.event == HistoryEvent::Program, e->given.has_value()) << r.id;
  }
}

}  // namespace
}  // namespace ign
