// ignctl monitor --csv against the simulated unit, and ignctl play.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

#include "core/monitor/csv_log.h"
#include "core/monitor/player.h"
#include "run_process.h"
#include "tests/support/sim_process.h"

namespace ign::test {
namespace {

std::string Ignctl() { return std::string(IGN_BINARY_DIR) + "/src/cli/ignctl"; }

std::string ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> v;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) v.push_back(l);
  return v;
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> v;
  std::istringstream in(line);
  for (std::string f; std::getline(in, f, ';');) v.push_back(f);
  return v;
}

// A CSV file without its time column.
std::string WithoutTimes(const std::string& csv) {
  std::string out;
  for (const std::string& l : Lines(csv)) out += l.substr(l.find(';')) + "\n";
  return out;
}

class MonitorE2E : public ::testing::Test {
 protected:
  MonitorE2E() : dir_(MakeTempDir()), ports_(dir_ + "/ports") {}
  ProcessResult Run(std::vector<std::string> args, double cap = 90,
                    const std::function<bool(const ProcessResult&)>& interruptWhen = {}) {
    args.insert(args.begin(), Ignctl());
    return RunProcess(
        args,
        {"IGN_PORT_DIR=" + ports_, "XDG_STATE_HOME=" + Path("state"), "IGN_SETTINGS_DIR=" + Path("settings")},
        cap, interruptWhen);
  }
  std::string Path(const std::string& name) const { return dir_ + "/" + name; }

  std::string dir_, ports_;
};

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// On a terminal: the named values as a table, each drawing after the first
// going back over the one before; --plain keeps one line per record there too.
TEST_F(MonitorE2E, TerminalShowsATableRedrawnInPlaceAndPlainKeepsLines) {
  SimProcess sim(ports_,
                 {.com = 4, .extra = {"--pin-rpm", "4321", "--pin-battery", "12900", "--pin-advance", "25"}});
  ASSERT_TRUE(sim.ready());
  std::vector<std::string> argv = {Ignctl(), "monitor", "--seconds", "3"};
  ProcessResult r = RunOnTerminal(argv, {"IGN_PORT_DIR=" + ports_}, 90);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::vector<std::string> lines = Lines(r.out);
  ASSERT_GE(lines.size(), 4u) << r.out;
  EXPECT_EQ(lines[0].rfind("RPM = 4321 ", 0), 0u) << r.out;
  EXPECT_NE(lines[0].find("U = 12.9 [V]"), std::string::npos) << r.out;
  EXPECT_EQ(lines[1].rfind("Advance 1 = 25 [°]", 0), 0u) << r.out;
  EXPECT_EQ(r.out.find(" | "), std::string::npos) << r.out;
  // Every later drawing starts by going back to the first line of the table.
  const size_t tableLines =
      size_t(std::find_if(lines.begin(), lines.end(),
                          [](const std::string& l) { return l.find("\x1b[J") != std::string::npos; }) -
             lines.begin());
  const std::string back = "\x1b[" + std::to_string(tableLines) + "F";
  EXPECT_GE(Count(r.out, back), 1u) << r.out;
  EXPECT_EQ(Count(r.out, "\x1b[J"), Count(r.out, back) + 1) << r.out;

  argv.push_back("--plain");
  ProcessResult plain = RunOnTerminal(argv, {"IGN_PORT_DIR=" + ports_}, 90);
  ASSERT_EQ(plain.exitCode, 0) << plain.err;
  EXPECT_EQ(plain.out.find('\x1b'), std::string::npos) << plain.out;
  EXPECT_NE(plain.out.find("RPM = 4321 | "), std::string::npos) << plain.out;
}

TEST_F(MonitorE2E, CsvRowsHoldThePinnedEngineValues) {
  SimProcess sim(ports_, {.com = 4,
                          .extra = {"--pin-rpm", "4321", "--pin-battery", "12900", "--pin-advance", "25",
                                    "--pin-load", "40", "--pin-sensor", "1"}});
  ASSERT_TRUE(sim.ready());
  ProcessResult r = Run({"monitor", "--seconds", "3", "--csv", Path("live.csv")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("RPM = 4321 | TP= 40 [%]"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("U = 12.9 [V]"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Advance 1 = 25 [°]"), std::string::npos) << r.out;

  const std::vector<std::string> lines = Lines(ReadFile(Path("live.csv")));
  ASSERT_GE(lines.size(), 5u);  // two header lines and a row about every 385 ms
  const std::vector<std::string> names = Fields(lines[0]);
  auto column = [&](const std::string& name) {
    return size_t(std::find(names.begin(), names.end(), name) - names.begin());
  };
  for (size_t i = 2; i < lines.size(); ++i) {
    const std::vector<std::string> f = Fields(lines[i]);
    ASSERT_EQ(f.size(), 81u) << lines[i];
    EXPECT_EQ(f[column("RPM")], "4321");
    EXPECT_EQ(f[column("BATTERY")], "12900");
    EXPECT_EQ(f[column("TPSIAP")], "40");
    EXPECT_EQ(f[column("ADV1")], "125");
    EXPECT_EQ(f[column("ADV_MAX 1")], "25");
    EXPECT_EQ(f[column("RSKEY")], "108.0");
    EXPECT_EQ(f[column("HWKEY")], "0x150");
  }
}

TEST_F(MonitorE2E, DroppedLinkEndsWithExit1AndKeepsTheLog) {
  SimProcess sim(ports_, {.com = 4, .extra = {"--hangup-after", "40"}});
  ASSERT_TRUE(sim.ready());
  ProcessResult r = Run({"monitor", "--csv", Path("cut.csv")});
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_NE(r.err.find("the unit stopped answering"), std::string::npos) << r.err;
  const std::string csv = ReadFile(Path("cut.csv"));
  EXPECT_GE(Lines(csv).size(), 3u);
  EXPECT_EQ(csv.back(), '\n');  // every row complete
}

TEST_F(MonitorE2E, CtrlCEndsTheLogWithEveryRowComplete) {
  SimProcess sim(ports_, {.com = 4});
  ASSERT_TRUE(sim.ready());
  // Interrupted once it has printed two lines (a few records are in the log by then).
  ProcessResult r = Run({"monitor", "--csv", Path("int.csv")}, 60, [](const ProcessResult& so) {
    return std::count(so.out.begin(), so.out.end(), '\n') >= 2;
  });
  EXPECT_EQ(r.exitCode, 0) << r.err;
  const std::string csv = ReadFile(Path("int.csv"));
  const std::vector<std::string> lines = Lines(csv);
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(csv.back(), '\n');
  for (size_t i = 2; i < lines.size(); ++i) EXPECT_EQ(Fields(lines[i]).size(), 81u) << lines[i];
}

TEST_F(MonitorE2E, UnwritableCsvFileEndsWithAMessage) {
  ProcessResult r = Run({"monitor", "--csv", Path("no/such/dir.csv"), "--timeout", "1"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("The CSV log file cannot be created"), std::string::npos) << r.err;
}

class NullSink : public IPlaybackSink {
  void ApplyEditedImage(std::span<const uint8_t>) override {}
  void ApplyUnitImage(std::span<const uint8_t>) override {}
  void ApplyMonitor(const MonitorRecord&) override {}
  void ApplyView(const ViewRecord&) override {}
};

TEST_F(MonitorE2E, PlayWritesTheCsvOfThePlaybackAndPrintsTheHeader) {
  // A recording of five records, and the CSV log the live display wrote of them.
  NullSink sink;
  CMonitorPlayer rec(sink);
  std::array<uint8_t, 1050> image{};
  InitialRecords in;
  in.port = 4;
  in.unitInfo = "IGNSIM";
  in.edited = std::span<const uint8_t>(image.data(), 1050);
  RecordingHeader h;
  h.startTime = 1767225600;
  h.ident = ProgramIdentification("2026_01_02");
  ASSERT_EQ(rec.StartRecording(Path("ride.ignlog"), h, in, 0), CMonitorPlayer::Event::Started);
  CCsvLog live;
  ASSERT_TRUE(live.Start(Path("live.csv")));
  for (int i = 0; i < 5; ++i) {
    MonitorRecord r;
    r.bytes[2] = uint8_t(i * 50);
    r.bytes[3] = 12;
    r.bytes[100] = 1;
    r.bytes[105] = uint8_t(110 + i);
    r.bytes[145] = uint8_t(i);
    r.bytes[146] = 0x50;
    r.bytes[147] = 0x01;
    r.bytes[150] = 108;
    rec.RecordMonitor(r, 385 * (i + 1));
    live.WriteCsvRow(r);
  }
  live.Stop();
  rec.StopPlayer();

  ProcessResult play = Run({"play", Path("ride.ignlog"), "--csv", Path("play.csv")});
  ASSERT_EQ(play.exitCode, 0) << play.err;
  const std::string csv = ReadFile(Path("play.csv"));
  EXPECT_EQ(WithoutTimes(csv), WithoutTimes(ReadFile(Path("live.csv"))));
  // The time column holds the recorded times: 0.385 s after the start, in local time.
  const std::vector<std::string> lines = Lines(csv);
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[2].substr(8, 5), ".385;") << lines[2];
  EXPECT_EQ(lines[6].substr(5, 8), ":01.925;") << lines[6];

  ProcessResult info = Run({"play", Path("ride.ignlog"), "--info"});
  ASSERT_EQ(info.exitCode, 0) << info.err;
  EXPECT_NE(info.out.find("started:         2026-01-01 00:00:00 UTC"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("program:         QUNTAR6   RSKEY=108.00   COMPILE=2026_01_02"), std::string::npos);
  EXPECT_NE(info.out.find("records:         7 (2 initial)"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("type 4 (monitor): 5"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("header length:   12270"), std::string::npos) << info.out;
}

TEST_F(MonitorE2E, DamagedRecordingEndsWithExit2AndTheMessage) {
  std::ofstream(Path("bad.ignlog"), std::ios::binary) << std::string(100, 'x');
  ProcessResult r = Run({"play", Path("bad.ignlog"), "--info"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("The recording is truncated."), std::string::npos) << r.err;
  std::string foreign(12256 + 2 + 84, '\0');
  foreign[0] = char(0xE2);  // 12258: one record
  foreign[1] = char(0x2F);
  foreign[60] = 109;
  foreign[252] = 1;  // one initial record of one
  foreign[254] = 1;
  std::ofstream(Path("foreign.ignlog"), std::ios::binary) << foreign;
  r = Run({"play", Path("foreign.ignlog"), "--csv", Path("x.csv")});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("RS keys are not equal (109!=108)"), std::string::npos) << r.err;
  EXPECT_EQ(Run({"play", Path("bad.ignlog")}).exitCode, 2);  // neither --csv nor --info
}

}  // namespace
}  // namespace ign::test
