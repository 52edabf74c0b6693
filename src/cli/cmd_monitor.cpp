// ignctl monitor: the live display as text (a table on a terminal, a line per
// record elsewhere), and the CSV log of every record.
#include <atomic>
#include <csignal>
#include <cstdio>

#include <unistd.h>

#include "cli/commands.h"
#include "cli/device_session.h"
#include "cli/monitor_text.h"

namespace ign::cli {
namespace {

std::atomic<bool> g_interrupted{false};
void OnInterrupt(int) { g_interrupted = true; }

}  // namespace

int CmdMonitor(const Args& args) {
  DeviceSession s(args);
  CliHost& host = s.Host();
  CSessionMonitor& monitor = s.Session().Monitor();
  if (!args.csv.empty() && !monitor.StartCsv(args.csv)) {
    host.TakeMessages();  // says why
    return kFailed;
  }
  // The CSV log stops only on a failed write (the session has said why).
  auto csvFailed = [&] { return !args.csv.empty() && !monitor.Csv().Running(); };
  if (int rc = s.Connect(); rc != kOk) return rc;
  g_interrupted = false;
  std::signal(SIGINT, OnInterrupt);
  std::signal(SIGTERM, OnInterrupt);
  CEngine& e = s.Engine();
  const double total = args.seconds > 0 ? args.seconds : 1e9;
  double elapsed = 0;
  int rc = kOk;
  // On a terminal the named values stand in a table redrawn in place; a
  // file or a pipe gets one line per record.
  const bool table = !args.plain && ::isatty(STDOUT_FILENO) == 1;
  TableRedraw redraw;
  while (!g_interrupted && elapsed < total) {
    s.TickUntil([&] { return g_interrupted.load() || csvFailed() || e.Com().ConnectedPort() == 0; }, 1.0);
    elapsed += 1.0;
    if (csvFailed()) return kFailed;
    if (e.Com().ConnectedPort() == 0) {
      std::fprintf(stderr, "ignctl: the unit stopped answering%s\n",
                   args.csv.empty() ? "" : "; the CSV log is kept up to the last record");
      rc = kFailed;
      break;
    }
    if (host.records > 0) {
      if (table)
        std::fputs(redraw.Frame(MonitorTable(host.shown)).c_str(), stdout);
      else
        std::printf("%s\n", MonitorLine(host.shown).c_str());
      std::fflush(stdout);
    }
  }
  // Every row is on disk already; closing ends the file cleanly.
  monitor.StopCsv();
  return rc;
}

}  // namespace ign::cli
