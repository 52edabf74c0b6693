// ign_pickup_bench: the pick-up monitor against the 55 ms tick. Times taking a
// full 15000-byte stream, building the curve list from a full ring in both
// modes and drawing at 800 x 600 and 1920 x 1080 (median and 99th percentile);
// then monitors the simulated unit at 57600 baud with the window open and
// reports the streams per second against the line time of the monitor frames
// plus the stream bytes, and the main-timer tick while streaming.
#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/line_model.h"
#include "core/comm/codec.h"
#include "core/monitor/pickup_sample.h"
#include "tests/ui_monitor/driven_window.h"
#include "ui/monitor/pickup_window.h"

namespace {

using ign::test::kTickMs;
using ign::test::ReportTicks;
using ign::test::TickFigures;
using ign::test::TimeRuns;

// A synchronised stream of `samples` samples, dense enough that three cycles
// fill the 600-entry list: 200 samples per 360-degree cycle at 3000 rpm,
// pick-up 1 with 20 lobes, pick-up 2 once per cycle, a spark on channel 1.
std::vector<uint8_t> Stream(size_t samples) {
  std::vector<uint8_t> bytes;
  constexpr uint32_t kCycle = 50000;  // 20 ms in 0.4 us units
  for (size_t i = 0; i < samples; ++i) {
    constexpr uint32_t kPerCycle = 200;
    const uint32_t cycle = uint32_t(i / kPerCycle), step = uint32_t(i % kPerCycle);
    int state = int(cycle & 3);
    if ((step / 5) % 2 == 0) state |= ign::PickupSample::kPickup1;
    if (step >= 150 && step < 160) state |= ign::PickupSample::kPickup2;
    if (step == 190) state |= 0x10;
    const uint32_t s = ign::PickupSample::Make(cycle * kCycle + step * (kCycle / kPerCycle), state);
    for (int k = 0; k < 4; ++k) bytes.push_back(uint8_t(s >> (8 * k)));
  }
  return bytes;
}

void CoreAndDrawing(ign::TMainForm& form) {
  ign::CPickupRing ring;
  const std::vector<uint8_t> full = Stream(15000 / 4);
  ReportTicks("TakeStream, 15000 bytes",
              TimeRuns(200, [&] { ign::TakeStream(1, 1, full.data(), full.size(), ring); }));

  const std::vector<uint8_t> ringful = Stream(ign::CPickupRing::kSize - 1);
  ign::PickupCurves curves;
  auto fill = [&] { ign::TakeStream(1, 1, ringful.data(), ringful.size(), ring); };
  std::vector<double> sync, timed;
  for (int i = 0; i < 100; ++i) {
    fill();
    sync.push_back(TimeRuns(1, [&] { ign::BuildSynchronised(ring, 1, curves); })[0]);
    fill();
    timed.push_back(TimeRuns(1, [&] { ign::BuildTimed(ring, curves); })[0]);
  }
  const TickFigures build = ReportTicks("BuildSynchronised, full ring", sync);
  ReportTicks("BuildTimed, full ring", timed);

  // Drawing: the window with a synchronised picture and two dimensions.
  form.ButtonMonPuClick();
  ign::CMonPickup& monitor = *form.PickupMonitor();
  fill();
  monitor.Build(ring);
  std::printf("the picture holds %zu entries\n", monitor.Model().curves.list.Size());
  ign::TFormMon& window = *monitor.Form();
  for (const QSize size : {QSize(800, 600), QSize(1920, 1080)}) {
    window.resize(size);
    QApplication::processEvents();
    const std::vector<double> ms = TimeRuns(100, [&] { monitor.Draw(); });
    const std::string what =
        "Draw at " + std::to_string(size.width()) + " x " + std::to_string(size.height());
    const TickFigures draw = ReportTicks(what.c_str(), ms);
    if (size.width() == 800)
      std::printf("%-44s median %8.3f ms = %6.4f tick (aim below 0.2)\n", "build plus draw at 800 x 600",
                  build.median + draw.median, (build.median + draw.median) / kTickMs);
  }
  window.resize(800, 600);
  form.ButtonMonPuClick();  // hidden again
}

}  // namespace

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  const int seconds = ign::test::SecondsArgument(argc, argv, 30);
  ign::test::TDrivenWindow window;
  if (!window.Start({"--pace", "--pin-rpm", "3000"})) return 1;
  ign::TMainForm& form = window.Form();
  window.Show();
  std::printf("Pick-up monitor (offscreen)\n");
  CoreAndDrawing(form);
  if (!window.Connect()) return 1;

  form.ButtonMonPuClick();  // shown: the requests ask for streams
  window.TickFor(2000);
  // At most one stream goes into the ring per tick: a moved write index is one stream.
  size_t streams = 0, samples = 0;
  std::vector<double> ticks;
  size_t written = form.Session().Monitor().PickupRing().WriteIndex();
  window.TickFor(seconds * 1000, [&](double ms) {
    ticks.push_back(ms);
    const size_t now = form.Session().Monitor().PickupRing().WriteIndex();
    if (now == written) return;
    ++streams;
    samples += (now + ign::CPickupRing::kSize - written) % ign::CPickupRing::kSize;
    written = now;
  });

  const ign::bench::FamilyInfo family{"IGN150", ign::Proto::Ign150, 57600};
  const double streamBytes = streams ? 4.0 * double(samples) / double(streams) : 0;
  const double lineMs =
      ign::bench::LineMs(family, ign::bench::MonitorCost(family).bytes + long(streamBytes + 0.5));
  const double perSecond = streams / double(seconds);
  std::printf("Streaming from the paced unit for %d s at 57600 baud, 3000 rpm\n", seconds);
  std::printf(
      "streams %.2f per s of %.0f bytes; monitor frames plus stream take %.1f ms on the line: "
      "%.2f per s at most (%.0f %%)\n",
      perSecond, streamBytes, lineMs, 1000.0 / lineMs, 100.0 * perSecond * lineMs / 1000.0);
  // One monitor request at least 7 ticks after the last, on every second tick: about 8 ticks.
  const double cadence = 1000.0 / (8 * kTickMs);
  std::printf("the request cadence allows %.2f per s: %.0f %% of the monitor answers brought a stream\n",
              cadence, 100.0 * perSecond / cadence);
  ReportTicks("main-timer tick while streaming", ticks);
  return 0;
}
