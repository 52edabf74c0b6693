// ign_pages_bench: the pages against the 55 ms tick. Prints the median and
// the 99th percentile of LoadPages(all), of one commit split into its parts
// (store, normalise, reload, snapshot with the write of settings and image),
// of the settle path of a burst of up-down clicks, of a servo unit switch
// with its nested commit and of a Power out function change, as ratios to a
// tick.
#include <QApplication>
#include <QCheckBox>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "tests/support/private_folders.h"
#include "tests/support/tick_figures.h"
#include "ui/app/main_form.h"
#include "ui/pages/controls.h"
#include "ui/pages/pages.h"

namespace {

using ign::test::ReportTicks;

// The time of one run of f, in ms.
template <typename F>
double Time(F&& f) {
  return ign::test::TimeRuns(1, f)[0];
}

}  // namespace

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  QTemporaryDir dir;
  const QByteArray root = dir.path().toUtf8();
  ign::test::UsePrivateFolders(root.toStdString());
  ign::TMainForm form(QStringList{"ignset", "nopatchcheck"});
  form.FormCreate();
  form.ShowPage(ign::Page::Misc);
  ign::TPages& pages = form.Pages();
  auto* limiter = form.findChild<ign::TUpDown*>("EditLimiter");
  const int runs = 200;

  std::vector<double> load, store, normalise, reload, snapshot, whole, settle;
  for (int i = 0; i < runs; ++i) load.push_back(Time([&] { pages.LoadPages(true); }));
  for (int i = 0; i < runs; ++i) {
    limiter->setValue(limiter->value() == 12000 ? 12100 : 12000);
    const double a = Time([&] { pages.StorePage(); });
    const double b = Time([&] { form.NormaliseEditedImage(); });
    const double c = Time([&] { pages.LoadPages(false); });
    const double d = Time([&] { form.Undo().TakeSnapshot(); });
    store.push_back(a), normalise.push_back(b), reload.push_back(c), snapshot.push_back(d);
    whole.push_back(a + b + c + d);
  }
  // A burst of ten clicks, then the ticks until it settles: the time the
  // settle path itself takes on the tick that commits.
  for (int i = 0; i < runs / 4; ++i) {
    for (int k = 0; k < 10; ++k) limiter->stepBy(i % 2 ? 1 : -1);
    for (int k = 0; k < 4; ++k) form.Timer1Timer();
    settle.push_back(Time([&] { form.Timer1Timer(); }));
  }
  ReportTicks("LoadPages(all)", load);
  ReportTicks("commit: store", store);
  ReportTicks("commit: normalise", normalise);
  ReportTicks("commit: reload", reload);
  ReportTicks("commit: snapshot + write", snapshot);
  ReportTicks("commit: whole", whole);
  std::vector<double> memory;
  for (int i = 0; i < runs; ++i)
    memory.push_back(store[size_t(i)] + normalise[size_t(i)] + reload[size_t(i)]);
  ReportTicks("commit: in memory", memory);
  ReportTicks("settle tick of a 10-click burst", settle);

  // A servo unit switch: the box's commit converts the 1500 cells and
  // commits them inside itself (store, normalise, reload, snapshot and write
  // twice, the outer one finding nothing changed).
  form.ShowPage(ign::Page::Servo);
  form.Params().Working()[ign::Adrb::SERVO_SENSOR] = 0;
  form.CommitImageChange();
  auto* percent = form.findChild<QCheckBox*>("CheckBoxServoProcenta");
  std::vector<double> unitSwitch;
  for (int i = 0; i < runs / 2; ++i) unitSwitch.push_back(Time([&] { percent->click(); }));
  ReportTicks("servo unit switch (nested commit)", unitSwitch);

  // A Power out function change: the click commits (store, the function's
  // fixed values, normalise, reload with both maps laid out again, snapshot
  // and write); the refresh alone is the reconfiguration of the maps.
  form.ShowPage(ign::Page::PowerOut);
  auto* function = form.findChild<ign::TRadioGroup*>("RadioGroupPOut1");
  std::vector<double> functionClick, reconfigure;
  for (int i = 0; i < runs / 2; ++i)
    functionClick.push_back(Time([&] { function->Button(i % 2 ? 2 : 3)->click(); }));  // shift light, special
  for (int i = 0; i < runs; ++i) {
    form.Params().Working()[ign::Adrb::POWER_OUT_FUNCTION] = uint8_t(i % 2 ? 254 : 255);
    reconfigure.push_back(Time([&] { pages.RefreshPages(false); }));
  }
  ReportTicks("power out function click (commit)", functionClick);
  ReportTicks("power out reconfiguration", reconfigure);

  // A language switch as the Language menu runs it: every caption, hint and
  // list, the live display, then the page in front again.
  std::vector<double> language;
  for (int i = 0; i < runs / 4; ++i) language.push_back(Time([&] { form.MenuLanguageClick(i % 3); }));
  form.MenuLanguageClick(0);
  ReportTicks("language switch (RelabelAll)", language);
  return 0;
}
