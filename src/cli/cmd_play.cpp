// ignctl play: a recording as the CSV log its playback writes, or its header.
#include <cstdio>
#include <ctime>
#include <span>

#include "cli/commands.h"
#include "cli/device_session.h"
#include "core/session/session.h"

namespace ign::cli {
namespace {

std::string UtcText(uint32_t seconds) {
  const std::time_t t = seconds;
  std::tm tm{};
  gmtime_r(&t, &tm);
  char buf[64];
  std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S UTC", &tm);
  return buf;
}

void PrintInfo(const std::string& path, const Recording& r) {
  const RecordingHeader& h = r.header;
  std::printf("file:            %s\n", path.c_str());
  std::printf("started:         %s (%u)\n", UtcText(h.startTime).c_str(), h.startTime);
  std::printf("system:          %u.%u.%u platform %u\n", h.os[0], h.os[1], h.os[2], h.os[3]);
  for (int s = 0; s < 4; ++s) {
    const RecordedScreen& sc = h.screens[size_t(s)];
    if (sc.width || sc.height)
      std::printf("screen %d:        left %d width %d top %d height %d\n", s + 1, sc.left, sc.width, sc.top,
                  sc.height);
  }
  std::printf("key:             %d\n", h.key);
  std::printf("program:         %s\n", h.ident.c_str());
  std::printf("header length:   %d\n", r.headerLength);
  std::printf("data size:       %zu\n", r.data.size());
  std::printf("records:         %zu (%d initial)\n", r.records.size(), r.initialCount);
  static const char* const kNames[] = {"",           "unit information", "edited image",
                                       "unit image", "monitor",          "view"};
  int other = int(r.records.size());
  for (int type = 1; type <= 5; ++type) {
    const int n = r.CountOfType(type);
    other -= n;
    std::printf("  type %d (%s): %d\n", type, kNames[type], n);
  }
  if (other) std::printf("  other types:    %d\n", other);
  const uint32_t last = r.records.empty() ? 0 : r.records.back().timeMs;
  std::printf("duration:        %u.%03u s\n", last / 1000, last % 1000);
}

}  // namespace

int CmdPlay(const Args& args) {
  if (args.positional.size() != 1 || args.csv.empty() == !args.info) {
    std::fprintf(stderr, "ignctl: play needs one recording and either --csv FILE or --info\n");
    return kUsage;
  }
  const std::string& path = args.positional[0];
  RecordingLoad load = ReadRecording(path);
  if (!load.recording) {
    std::fprintf(stderr, "ignctl: %s: %s\n", path.c_str(), RecordingErrorMessage(load).c_str());
    return kUsage;
  }
  if (args.info) {
    PrintInfo(path, *load.recording);
    return kOk;
  }
  // The session plays the recording as the window does, with no unit and a
  // clock that reaches past the last record's time at the first tick: every
  // monitor record becomes a CSV row with its recorded time of day.
  CSession session(nullptr, nullptr, args.env);
  CSessionMonitor& monitor = session.Monitor();
  int64_t now = 0;
  monitor.SetClock([&now] { return now; });
  auto printMessages = [&] {
    for (const SessionMessage& m : session.TakeMessages()) PrintLines(m.text);
  };
  if (!monitor.StartCsv(args.csv)) {
    printMessages();
    return kFailed;
  }
  monitor.Play(std::move(*load.recording), path);
  now = int64_t(1) << 40;
  monitor.Tick();
  monitor.StopPlayer();
  printMessages();
  if (!monitor.Csv().Running()) return kFailed;  // stopped on a failed write
  monitor.StopCsv();
  return kOk;
}

}  // namespace ign::cli
