// The ride analysis: three plots with a cursor and a range, the scatter, the
// histogram, two rides laid over each other, the hit table, and the advance
// map shaded by its hit counts.
#include <QApplication>
#include <QSpinBox>
#include <QTabWidget>
#include <cmath>
#include <memory>

#include "core/monitor/player.h"
#include "sim/engine_model.h"
#include "tests/shots/shots.h"
#include "tests/support/null_playback_sink.h"
#include "ui/analysis/analysis_window.h"
#include "ui/analysis/time_plots.h"
#include "ui/app/analysis_host.h"
#include "ui/app/main_form.h"
#include "ui/mapedit/editor_list.h"
#include "ui/mapedit/hit_overlay.h"
#include "ui/mapedit/map_editor.h"
#include "ui/pages/pages.h"

namespace ign::shots {

namespace {

// A ride of the simulated engine's loop, a record every 110 ms, recorded with the settings.
std::string RecordRide(const QString& dir, const char* name, const Image& settings, uint32_t seed) {
  test::NullPlaybackSink sink;
  CMonitorPlayer player(sink);
  InitialRecords initial;
  initial.unitInfo = "IGNSIM";
  initial.edited = std::span<const uint8_t>(settings.data(), RS_LEN_EXE);
  const std::string path = (dir + "/" + name).toStdString();
  RecordingHeader h;
  h.startTime = 1767225600;
  player.StartRecording(path, h, initial, 0);
  sim::EngineModel engine(seed);
  for (int64_t t = 0; t < sim::EngineModel::kRideMs; t += 110) {
    const sim::EngineState s = engine.At(t, settings[Adrb::LIMITER] * 100);
    MonitorRecord r;
    const auto word = [&](int k, int v) {
      r.bytes[size_t(2 * k)] = uint8_t(v);
      r.bytes[size_t(2 * k + 1)] = uint8_t(v >> 8);
    };
    word(Mon::RPM, s.rpm);
    word(Mon::TPSIAP, int(std::lround(s.throttle)));
    word(Mon::BATTERY, s.batteryMv);
    word(Mon::SERVO, 1200 + s.rpm / 4);
    r.bytes[Mon::SENSOR] = 1;
    const int advance = s.rpm < 1000 ? 0 : 100 + std::min(36, 8 + s.rpm / 350) - int(s.throttle / 12);
    for (int i = 0; i < 2; ++i) r.bytes[size_t(Mon::ADV + i)] = uint8_t(advance == 0 ? 0 : advance + 2 * i);
    if (s.onLimiter) r.bytes[Mon::LIMITS] |= 1;
    if (s.input1Low) r.bytes[Mon::LEVELS] |= 1;
    player.RecordMonitor(r, t + 50);
  }
  player.StopPlayer();
  return path;
}

}  // namespace

int AnalysisShots(const QString& dir) {
  int failed = 0;
  SetLanguage(LNG_ENGLISH);
  Sandbox box;
  auto form = std::make_unique<TMainForm>(QStringList{"ignset", "nopatchcheck"});
  form->FormCreate();
  form->move(0, 0);
  form->resize(1260, 860);
  Image& edited = form->Params().Working();
  edited[Adrb::TPSIAP_SENSOR] = 1;
  edited[Adrb::ADV_MAP] = 1;
  form->Pages().LoadPages(true);
  const std::string ride = RecordRide(box.dir.path(), "ride.ignlog", edited, 1);
  const std::string other = RecordRide(box.dir.path(), "other.ignlog", edited, 5);

  TAnalysisHost* host = RideAnalysisOf(*form);
  TRideAnalysis& w = host->Window();
  w.move(0, 0);
  w.resize(1260, 860);
  w.show();
  w.Open(ride);
  w.Finish();
  w.findChild<QSpinBox*>("SpinPlotCount")->setValue(3);
  w.Plots().SetSelection(14, 24);
  w.Plots().SetCursor(19.0);
  Settle(300);
  if (!SaveScreen(dir, "analysis-plots")) ++failed;

  w.ShowTab(1);
  Settle(300);
  if (!SaveScreen(dir, "analysis-scatter")) ++failed;

  w.ShowTab(2);
  Settle(300);
  if (!SaveScreen(dir, "analysis-histogram")) ++failed;

  w.ShowTab(0);
  w.Plots().SetSelection(0, 0);
  w.Open(other, true);
  w.Finish();
  w.SetSecondOffset(1.5);
  w.Plots().SetView(10, 26);
  Settle(300);
  if (!SaveScreen(dir, "analysis-overlay")) ++failed;

  w.ShowTab(3);
  Settle(300);
  if (!SaveScreen(dir, "analysis-hit-table")) ++failed;
  w.hide();

  form->ShowPage(Page::Advance);
  form->show();
  host->CountOnEditors();
  for (TTab* editor : TMapEditorList::Of(form.get()).Editors())
    if (editor->Model().SheetCount() == 2) THitOverlay::Of(*editor).SetShown(true);
  Settle(400);
  if (!SaveScreen(dir, "analysis-advance-hits")) ++failed;
  return failed;
}

}  // namespace ign::shots
